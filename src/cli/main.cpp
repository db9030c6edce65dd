#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  const quillet::cli::Args args(argv, argv + argc);
  return quillet::cli::RunCli(args, quillet::DataFolderEnv::FromProcess(), std::cout, std::cerr);
}
