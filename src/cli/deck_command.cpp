#include "cli/deck_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <utility>

#include "core/analysis/figure_choices.h"
#include "core/card_data/text_util.h"

namespace quillet::cli {
void AddDeckOptions(CLI::App& command, DeckCommandOptions& options) {
  AddDeckArgument(command, options.deck, "DECK");
  AddDataOption(command, options.dataDir);
  command.add_flag("--assets-only", options.assetsOnly, "Count assets only in the domain figures");
  AddCostOption(command, options.costKind);
  command.add_flag("--json", options.json, "Write JSON");
}

void AddDeckArgument(CLI::App& command, std::string& deck, const std::string& name) {
  command.add_option(name, deck, "The deck file")->required()->check([](const std::string& value) {
    return value.empty() ? std::string("the deck may not be empty") : std::string();
  });
}

void AddCostOption(CLI::App& command, std::string& costKind) {
  command
      .add_option("--cost", costKind,
                  "Total deployment cost for: \"All cards\", \"Assets\", \"Enhancements\", "
                  "\"Interventions\" or \"Programs\"")
      ->type_name("KIND")
      ->check(CLI::IsMember(CostKindNames()));
}

int AnalyzeForCli(const DeckCommandOptions& options, AnalysedDeck& deck, CommandContext& context) {
  if (!deck.db.CardStatExists()) {
    const int code = FailDeckCommand(options, context, kNoDataFile);
    NameChosenDataFolder(context, options.dataDir);
    return code;
  }
  const auto analysis =
      std::make_shared<const DeckAnalysis>(AnalyzeDeckFile(options.deck, deck.db));
  ContinueLookups(*analysis, deck.db);
  std::string lastMessage;
  for (const std::string& message : deck.view.Show(analysis)) {
    context.err << Cp1252ToUtf8(message) << '\n';
    lastMessage = message;
  }
  if (deck.view.DName().empty()) {
    if (options.json) WriteJson(context.out, Json{{"Error", JsonText(lastMessage)}});
    return 1;
  }
  if (options.assetsOnly) deck.view.SetAssetSwitch(true);
  deck.view.SelectCostKind(options.costKind);
  return 0;
}

int FailDeckCommand(const DeckCommandOptions& options, CommandContext& context,
                    std::string_view message) {
  context.err << message << '\n';
  if (options.json) WriteJson(context.out, Json{{"Error", std::string(message)}});
  return 1;
}

}  // namespace quillet::cli
