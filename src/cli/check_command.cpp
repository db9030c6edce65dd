// `quillet-cli check`: whether a deck is legal, for scripts. The answer is in
// the exit code (0 legal, 3 illegal); the problems and the cards not found
// are printed so a failed run says why.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "core/card_data/text_util.h"
#include "core/compare/deck_check.h"

namespace quillet::cli {
namespace {

constexpr int kIllegal = 3;

struct CheckOptions {
  DeckCommandOptions deck;
  bool strict = false;
};

// The JSON shape of a deck check, with the path as given on the command line.
Json CheckJson(const std::string& deck, const DeckCheck& check) {
  return Json{{"FileName", deck},
              {"Legal", check.Legal},
              {"Problems", JsonTexts(check.Problems)},
              {"Missing", JsonTexts(check.Missing)}};
}

}  // namespace

CommandRunner SetupCheck(CLI::App& command) {
  auto options = std::make_shared<CheckOptions>();
  AddDeckArgument(command, options->deck.deck, "DECK");
  command.add_flag("--strict", options->strict, "Fail on any problem, not only illegal ones");
  AddDataOption(command, options->deck.dataDir);
  command.add_flag("--json", options->deck.json, "Write JSON");
  return [options](CommandContext& context) {
    AnalysedDeck analysed(DataFolder(context, options->deck.dataDir));
    if (const int code = AnalyzeForCli(options->deck, analysed, context)) return code;
    const DeckCheck check = CheckDeck(analysed.Analysis(), options->strict);
    if (options->deck.json) {
      WriteJson(context.out, CheckJson(options->deck.deck, check));
    } else {
      for (const auto& problem : check.Problems) context.out << Cp1252ToUtf8(problem) << '\n';
      for (const auto& name : check.Missing) {
        context.out << "Card not found: " << Cp1252ToUtf8(name) << '\n';
      }
    }
    return check.Legal ? 0 : kIllegal;
  };
}

}  // namespace quillet::cli
