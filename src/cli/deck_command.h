// What `quillet-cli analyze` and `quillet-cli list` share: their options and
// the open-deck analysis as "Open..." runs it once the dialog has returned the
// deck, without dialogs and without touching the settings file.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "analysis/master_model.h"
#include "cli/commands.h"

namespace quillet::cli {

struct DeckCommandOptions {
  std::string deck;
  std::string field;  // list only: a component name, "DName" or "HQType"
  std::string dataDir;
  bool assetsOnly = false;
  std::string costKind = "All cards";
  bool json = false;
};

// Parses DECK [FIELD] [--data DIR] [--assets-only] [--cost KIND] [--json].
// nullopt on bad usage.
std::optional<DeckCommandOptions> ParseDeckCommand(const Args& args, bool withField,
                                                   const std::string& programDir);

// Analyses the deck into `model` and applies the asset switch and cost kind
// as the user would pick them afterwards. Messages go to `err` as lines.
// Returns 0 on success, else the exit code after printing the failure (with
// --json also {"Error": ...} on `out`).
int AnalyzeForCli(const DeckCommandOptions& options, MasterModel& model, std::ostream& out,
                  std::ostream& err);

}  // namespace quillet::cli
