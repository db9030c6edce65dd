#include <iostream>

#include "card_data/file_util.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
  const quillet::cli::Args args(argv, argv + argc);
  return quillet::cli::RunCli(args, quillet::ProgramDir(), std::cout, std::cerr);
}
