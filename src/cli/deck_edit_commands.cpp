// `quillet-cli add` and `quillet-cli remove`: the card browser's +1 and -1 on
// a deck file, by any number of copies. They are one edit in two directions,
// so they share this file. The deck editor makes the edit with the browser's
// rules and refuses with its messages; on success the command prints the
// card's first line as it now reads ("COUNT<TAB>NAME", the count 0 when the
// line is gone), so a script sees the result without reading the deck.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "cli/card_name_hint.h"
#include "cli/commands.h"
#include "core/analysis/main_view.h"
#include "core/card_data/card_database.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/catalogue/catalogue.h"
#include "core/deck_edit/deck_editor.h"

namespace quillet::cli {
namespace {

struct DeckEditOptions {
  std::string deck;
  std::string name;
  std::int32_t count = 1;
  std::string dataDir;
};

// Whether the deck is one the analysis accepts. The edit engine checks every
// count field itself, but a deck can read line by line and still fail as a
// whole (figures beyond the integer range), and such a deck must not be
// edited either. A deck that could not be read is not an invalid one: that
// failure is thrown as what it is.
bool AnalysisAccepts(const std::string& dataDir, const std::string& deck) {
  CardDatabase db(dataDir);
  if (!db.CardStatExists()) return false;
  MainView view;
  view.Show(std::make_shared<const DeckAnalysis>(AnalyzeDeckFile(deck, db)));
  if (const auto& failure = view.ReadFailure()) throw *failure;
  return !view.DName().empty();
}

CommandRunner SetupDeckEdit(CLI::App& command, bool adding) {
  auto options = std::make_shared<DeckEditOptions>();
  command.add_option("DECK", options->deck, "The deck file")
      ->required()
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the deck may not be empty") : std::string();
      });
  command.add_option("NAME", options->name, "The card's exact name")->required();
  CLI::Option* count = command
                           .add_option("--count", options->count,
                                       adding ? "The copies to add (default 1)"
                                              : "The copies to take away (default 1)")
                           ->type_name("N");
  WholeNumberOption(*count, 1, std::numeric_limits<std::int32_t>::max());
  AddDataOption(command, options->dataDir);
  return [options, adding](CommandContext& context) {
    const std::string name = CardBytes(options->name);

    CardDatabase db(DataFolder(context, options->dataDir));
    if (!db.CardStatExists()) return FailNoDataFile(context, options->dataDir);
    Catalogue catalogue(db);
    try {
      catalogue.Load();
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardStatPath(), e.what());
    }
    // The browser only edits cards it lists; a name the analysis would not
    // find must not enter the deck.
    if (!catalogue.Find(name)) {
      context.err << kNoSuchCard << '\n';
      HintUnknownCard(context, db.CardStatPath(), {options->name});
      return 1;
    }
    try {
      // Locked from this read to the write: parallel runs take turns.
      DeckEditor editor;
      editor.OpenHeld(options->deck);
      if (!AnalysisAccepts(DataFolder(context, options->dataDir), options->deck)) {
        // The engine's own check names the faulty count when there is one.
        FirstLineCount(editor.Bytes(), name);
        throw DeckEditError("The deck file is not valid, so it was not changed.");
      }
      if (adding) {
        editor.Add(name, options->count);
      } else {
        editor.Remove(name, options->count);
      }
      context.out << FirstLineCount(editor.Bytes(), name) << '\t' << Cp1252ToUtf8(name) << '\n';
    } catch (const IoError& e) {
      return FailWithFile(context, options->deck, e.what());
    } catch (const DeckEditError& e) {
      context.err << Cp1252ToUtf8(e.what()) << '\n';
      return 1;
    }
    return 0;
  };
}

}  // namespace

CommandRunner SetupAdd(CLI::App& command) {
  return SetupDeckEdit(command, true);
}

CommandRunner SetupRemove(CLI::App& command) {
  return SetupDeckEdit(command, false);
}

}  // namespace quillet::cli
