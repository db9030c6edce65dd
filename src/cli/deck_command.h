// What the commands that analyse a deck share (analyze and list today): the
// DECK argument with --data, --assets-only and --cost, and the open-deck
// analysis as "Open..." runs it once the dialog has returned the deck,
// without dialogs and without touching the settings file.
#pragma once

#include <string>
#include <string_view>

#include "cli/command_support.h"
#include "core/analysis/master_model.h"

namespace quillet::cli {

struct DeckCommandOptions {
  std::string deck;
  std::string dataDir;  // as given by --data; empty when not given
  bool assetsOnly = false;
  std::string costKind = "All cards";
  bool json = false;
};

// Adds DECK, --data, --assets-only, --cost KIND and --json bound to `options`.
void AddDeckOptions(CLI::App& command, DeckCommandOptions& options);

// Analyses the deck into `model` and applies the asset switch and cost kind
// as the user would pick them afterwards. Messages go to stderr as lines.
// Returns 0 on success, else the exit code after printing the failure (with
// --json also {"Error": message} on stdout).
int AnalyzeForCli(const DeckCommandOptions& options, MasterModel& model, CommandContext& context);

// The pieces of AddDeckOptions for commands that take fewer of them, or two
// decks: a required, non-empty deck argument called `name`, and --cost KIND.
void AddDeckArgument(CLI::App& command, std::string& deck, const std::string& name);
void AddCostOption(CLI::App& command, std::string& costKind);

// A failure of a deck command after the line was parsed: `message` (UTF-8)
// on stderr and, with --json, {"Error": message} on stdout. Returns 1.
int FailDeckCommand(const DeckCommandOptions& options, CommandContext& context,
                    std::string_view message);

}  // namespace quillet::cli
