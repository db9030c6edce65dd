#include "cli/deck_command.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <utility>

#include "core/analysis/cost_kinds.h"
#include "core/card_data/text_util.h"

namespace quillet::cli {
namespace {

// The open dialog answers with the deck; messages become lines of stderr.
class CliHost final : public OpenDeckHost {
 public:
  CliHost(std::string deck, std::ostream& err) : deck_(std::move(deck)), err_(err) {}
  std::optional<std::string> ChooseDeckFile(const std::string& /*dir*/) override { return deck_; }
  void BeginBusy() override {}
  void EndBusy() override {}
  void ShowMessage(const std::string& text) override {
    err_ << Cp1252ToUtf8(text) << '\n';
    lastMessage = text;
  }
  std::string lastMessage;

 private:
  std::string deck_;
  std::ostream& err_;
};

}  // namespace

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

int AnalyzeForCli(const DeckCommandOptions& options, MasterModel& model, CommandContext& context) {
  if (!model.Create()) {
    const int code = FailDeckCommand(options, context, kNoDataFile);
    NameChosenDataFolder(context, options.dataDir);
    return code;
  }
  CliHost host(options.deck, context.err);
  model.OpenDeck(host, /*useSettings=*/false);
  if (model.session().deck.DeckFileName.empty()) {
    if (options.json) WriteJson(context.out, Json{{"Error", JsonText(host.lastMessage)}});
    return 1;
  }
  if (options.assetsOnly) model.SetAssetSwitch(true);
  model.SelectCostKind(options.costKind);
  return 0;
}

int FailDeckCommand(const DeckCommandOptions& options, CommandContext& context,
                    std::string_view message) {
  context.err << message << '\n';
  if (options.json) WriteJson(context.out, Json{{"Error", std::string(message)}});
  return 1;
}

}  // namespace quillet::cli
