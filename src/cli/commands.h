// The subcommands of quillet-cli, one file each (<name>_command.cpp), listed
// in the table of command_table.cpp. See command_support.h for the pattern.
#pragma once

#include <cstdint>

#include "cli/command_support.h"

namespace quillet::cli {

CommandRunner SetupBuild(CLI::App& command);
CommandRunner SetupAnalyze(CLI::App& command);
CommandRunner SetupList(CLI::App& command);
CommandRunner SetupCard(CLI::App& command);
CommandRunner SetupOdds(CLI::App& command);
CommandRunner SetupHand(CLI::App& command);
CommandRunner SetupDiff(CLI::App& command);
CommandRunner SetupCheck(CLI::App& command);
CommandRunner SetupSearch(CLI::App& command);
CommandRunner SetupAdd(CLI::App& command);
CommandRunner SetupRemove(CLI::App& command);
CommandRunner SetupFields(CLI::App& command);
CommandRunner SetupNames(CLI::App& command);
CommandRunner SetupImport(CLI::App& command);
CommandRunner SetupExport(CLI::App& command);

// A chance in per mille as the JSON number odds writes: 872 -> 87.2.
Json PercentNumber(std::int32_t perMille);

}  // namespace quillet::cli
