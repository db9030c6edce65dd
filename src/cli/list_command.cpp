// `quillet-cli list`: analyses a deck, then builds the drill-down list of one
// field exactly as a double click on it would (a click for TopDeckAmount), and
// prints its lines or, with --json, the proposed file name and the lines.
#include <CLI/CLI.hpp>
#include <exception>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "cli/field_suggestion.h"
#include "core/card_data/text_util.h"

namespace quillet::cli {
namespace {

struct ListOptions {
  DeckCommandOptions deck;
  std::string field;  // a component name, "DName" or "HQType"
};

// The JSON shape of a list: the file name Save List proposes, and the lines.
Json ListJson(const MainView& view) {
  return Json{{"FileName", JsonText(view.ProposedFileName())},
              {"CardList", JsonTexts(view.CardList())}};
}

}  // namespace

CommandRunner SetupList(CLI::App& command) {
  auto options = std::make_shared<ListOptions>();
  AddDeckOptions(command, options->deck);
  command
      .add_option("FIELD", options->field,
                  "An integer field's component name (quillet-cli fields lists them), DName "
                  "or HQType")
      ->required()
      ->check([](const std::string& field) {
        // Whether a field opens a list does not depend on the data.
        return MainView::HasList(field) ? std::string() : UnknownFieldMessage(field);
      });
  return [options](CommandContext& context) {
    AnalysedDeck analysed(DataFolder(context, options->deck.dataDir));
    if (const int code = AnalyzeForCli(options->deck, analysed, context)) return code;
    try {
      analysed.view.DrillDown(options->field, analysed.db);
    } catch (const std::exception& e) {
      return FailWithFile(context, analysed.db.CardStatPath(), e.what());
    }
    if (options->deck.json) {
      WriteJson(context.out, ListJson(analysed.view));
    } else {
      for (const auto& line : analysed.view.CardList()) context.out << Cp1252ToUtf8(line) << '\n';
    }
    return 0;
  };
}

}  // namespace quillet::cli
