// `quillet-cli names`: the deck lines whose names no card has, each with its
// suggestions, and with --apply the one-step fix of every sure one through
// the deck editor, as Edit > Fix Card Names makes it. The deck is read as
// the analysis reads it, but no figure is computed, so a deck whose figures
// fail can still have its names fixed. Exit 0 when every name is found
// afterwards, 3 when some are not.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "core/card_data/io_error.h"
#include "core/card_data/str_to_int.h"
#include "core/card_data/text_util.h"
#include "core/deck_edit/deck_editor.h"
#include "core/names/deck_names.h"

namespace quillet::cli {
namespace {

constexpr int kNamesLeft = 3;

struct NamesOptions {
  DeckCommandOptions deck;
  bool apply = false;
};

// The JSON shape of the report: the lines as they were before any fix.
Json NamesJson(const std::string& deck, const NameFixReport& report) {
  Json lines = Json::array();
  for (const UnfoundLine& line : report.before) {
    lines.push_back(Json{{"Line", line.line},
                         {"Name", JsonText(line.name)},
                         {"Kind", SuggestionKindWord(line.suggestions.kind)},
                         {"Suggestions", JsonTexts(line.suggestions.names)}});
  }
  return Json{{"FileName", deck}, {"Lines", std::move(lines)}, {"Applied", report.applied}};
}

void WriteNamesText(std::ostream& out, const NameFixReport& report) {
  for (const UnfoundLine& line : report.before) {
    out << line.line << ": '" << Cp1252ToUtf8(line.name) << "' -> ";
    if (line.suggestions.names.empty()) out << "no suggestion";
    const char* separator = "";
    for (const std::string& name : line.suggestions.names) {
      out << separator << Cp1252ToUtf8(name);
      separator = ", ";
    }
    out << '\n';
  }
}

}  // namespace

CommandRunner SetupNames(CLI::App& command) {
  auto options = std::make_shared<NamesOptions>();
  AddDeckArgument(command, options->deck.deck, "DECK");
  command.add_flag("--apply", options->apply,
                   "Replace every name that has a sure suggestion, in one write");
  AddDataOption(command, options->deck.dataDir);
  command.add_flag("--json", options->deck.json, "Write JSON");
  return [options](CommandContext& context) {
    const DeckCommandOptions& deck = options->deck;
    CardDatabase db(DataFolder(context, deck.dataDir));
    if (!db.CardStatExists()) {
      const int code = FailDeckCommand(deck, context, kNoDataFile);
      NameChosenDataFolder(context, deck.dataDir);
      return code;
    }
    std::shared_ptr<const SuggestionIndex> cards;
    try {
      cards = SuggestionIndex::Shared(db.CardStatPath());
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardStatPath(), e.what());
    }
    // An unreadable file and a count the reader refuses are one case to the
    // user, as for the analysis.
    const std::string notValid = "File '" + deck.deck + "' is not a valid deck file.";
    NameFixReport report;
    try {
      DeckEditor editor;
      // Held from the read to the write, as the browser's edits are.
      if (options->apply) {
        editor.OpenHeld(deck.deck);
      } else {
        editor.Open(deck.deck);
      }
      report = FixSureNames(editor, *cards, options->apply);
    } catch (const DeckEditError& e) {
      return FailDeckCommand(deck, context, Cp1252ToUtf8(e.what()));
    } catch (const IoError& e) {
      // A fix that could not be written says why, as every other write
      // does; a full disk is no fault of the deck.
      return FailDeckCommand(deck, context,
                             options->apply ? deck.deck + ": " + e.what() : notValid);
    } catch (const std::exception&) {
      return FailDeckCommand(deck, context, notValid);
    }
    if (deck.json) {
      WriteJson(context.out, NamesJson(deck.deck, report));
    } else {
      WriteNamesText(context.out, report);
    }
    return report.stillUnfound == 0 ? 0 : kNamesLeft;
  };
}

}  // namespace quillet::cli
