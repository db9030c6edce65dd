// quillet-cli as a function: parses a command line and runs its subcommand,
// writing to the streams it is given and returning the process exit code
// (0 success, 1 failure, 2 wrong command line), so tests run it in-process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/card_data/data_folder.h"

namespace quillet::cli {

using Args = std::vector<std::string>;  // argv, the program name first

// `env` is where the data folder rule looks when no --data is given.
int RunCli(const Args& argv, const DataFolderEnv& env, std::ostream& out, std::ostream& err);

}  // namespace quillet::cli
