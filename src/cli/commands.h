// The subcommands of quillet-cli, one file each (<name>_command.cpp), listed
// in the table of command_table.cpp. See command_support.h for the pattern.
#pragma once

#include "cli/command_support.h"

namespace quillet::cli {

CommandRunner SetupBuild(CLI::App& command);
CommandRunner SetupAnalyze(CLI::App& command);
CommandRunner SetupList(CLI::App& command);
CommandRunner SetupCard(CLI::App& command);
CommandRunner SetupSearch(CLI::App& command);
CommandRunner SetupAdd(CLI::App& command);
CommandRunner SetupRemove(CLI::App& command);

}  // namespace quillet::cli
