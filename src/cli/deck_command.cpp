#include "cli/deck_command.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <utility>

#include "card_data/text_util.h"

namespace quillet::cli {
namespace {

// The open dialog answers with the deck; messages become lines of stderr.
class CliHost final : public OpenDeckHost {
 public:
  CliHost(std::string deck, std::ostream& err) : deck_(std::move(deck)), err_(err) {}
  std::optional<std::string> ChooseDeckFile(const std::string&) override { return deck_; }
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
  command.add_option("DECK", options.deck, "The deck file")
      ->required()
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the deck may not be empty") : std::string();
      });
  AddDataOption(command, options.dataDir);
  command.add_flag("--assets-only", options.assetsOnly, "Count assets only in the domain figures");
  command
      .add_option("--cost", options.costKind,
                  "Total deployment cost for: \"All cards\", \"Assets\", \"Enhancements\", "
                  "\"Interventions\" or \"Programs\"")
      ->type_name("KIND")
      ->check(CLI::IsMember({"All cards", "Assets", "Enhancements", "Interventions", "Programs"}));
  command.add_flag("--json", options.json, "Write JSON");
}

int AnalyzeForCli(const DeckCommandOptions& options, MasterModel& model, CommandContext& context) {
  if (!model.Create()) {
    context.err << "You must create a data file to use this program\n";
    return 1;
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

}  // namespace quillet::cli
