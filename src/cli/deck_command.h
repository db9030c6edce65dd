// What the commands that analyse a deck share (analyze and list today): the
// DECK argument with --data, --assets-only and --cost, and the deck analysed
// as "Open..." analyses it once the dialog has returned it, shown in the
// main window's view, without dialogs and without touching the settings file.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "cli/command_support.h"
#include "core/analysis/main_view.h"
#include "core/card_data/card_database.h"

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

// A deck analysed for a command: the card data it was read against (whose
// lookup cache continues from the analysis, as in the window) and the main
// window's view of it.
struct AnalysedDeck {
  explicit AnalysedDeck(std::string dataDir) : db(std::move(dataDir)) {}
  CardDatabase db;
  MainView view;
  const DeckAnalysis& Analysis() const { return view.Analysis(); }
};

// Analyses the deck into `deck` and applies the asset switch and cost kind
// as the user would pick them afterwards. Messages go to stderr as lines.
// Returns 0 on success, else the exit code after printing the failure (with
// --json also {"Error": message} on stdout).
int AnalyzeForCli(const DeckCommandOptions& options, AnalysedDeck& deck, CommandContext& context);

// The pieces of AddDeckOptions for commands that take fewer of them, or two
// decks: a required, non-empty deck argument called `name`, and --cost KIND.
void AddDeckArgument(CLI::App& command, std::string& deck, const std::string& name);
void AddCostOption(CLI::App& command, std::string& costKind);

// A failure of a deck command after the line was parsed: `message` (UTF-8)
// on stderr and, with --json, {"Error": message} on stdout. Returns 1.
int FailDeckCommand(const DeckCommandOptions& options, CommandContext& context,
                    std::string_view message);

}  // namespace quillet::cli
