#include <unistd.h>

#include <iostream>

#include "cli/cli.h"
#include "cli/output_buffer.h"
#include "core/card_data/io_error.h"

int main(int argc, char** argv) {
  const quillet::cli::Args args(argv, argv + argc);
  quillet::cli::OutputBuffer buffer(STDOUT_FILENO);
  std::ostream out(&buffer);
  const int code =
      quillet::cli::RunCli(args, quillet::DataFolderEnv::FromProcess(), out, std::cerr);
  out.flush();
  // Output that did not reach its file fails the run, whatever the command
  // made of its own work: the user holds a truncated or empty result.
  if (buffer.error() != 0) {
    std::cerr << "Standard output: " << quillet::IoErrorFromErrno(buffer.error()).what() << '\n';
    return 1;
  }
  return code;
}
