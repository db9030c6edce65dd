// `quillet-cli hand`: a sample hand dealt as the game deals, by the same
// engine and seed as the sample hand window, so a hand seen in one can be
// dealt again in the other.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/odds/sample_deal.h"

namespace quillet::cli {
namespace {

struct HandOptions {
  DeckCommandOptions deck;
  std::uint64_t seed = 0;
  std::int64_t draws = 0;
};

Json CardNames(const std::vector<DealtCard>& cards) {
  Json names = Json::array();
  for (const DealtCard& card : cards) names.push_back(JsonText(card.Name));
  return names;
}

// The JSON shape of a dealt hand.
Json HandJson(const std::string& fileName, const SampleHand& hand) {
  return Json{{"FileName", fileName},
              {"Seed", hand.Seed},
              {"Hand", CardNames(hand.Hand)},
              {"Draws", CardNames(hand.Draws)}};
}

}  // namespace

CommandRunner SetupHand(CLI::App& command) {
  auto options = std::make_shared<HandOptions>();
  AddDeckArgument(command, options->deck.deck, "DECK");
  CLI::Option* seed =
      command.add_option("--seed", options->seed, "Deal the hand of this seed")->type_name("S");
  WholeNumberOption(*seed, 0, std::numeric_limits<std::uint64_t>::max());
  CLI::Option* draws =
      command.add_option("--draw", options->draws, "Deal N more cards after the hand (default 0)")
          ->type_name("N");
  // Draws stop at the end of the pile, so any larger number deals the rest.
  WholeNumberOption(*draws, 0, std::numeric_limits<std::int64_t>::max(), /*orMore=*/true);
  AddDataOption(command, options->deck.dataDir);
  command.add_flag("--json", options->deck.json, "Write JSON");
  return [options, seed](CommandContext& context) {
    Session session(DataFolder(context, options->deck.dataDir));
    MasterModel model(session);
    if (const int code = AnalyzeForCli(options->deck, model, context)) return code;
    SampleHand hand;
    try {
      hand = DealSampleHand(DeckPile::FromSession(model.session()),
                            seed->count() > 0 ? options->seed : RandomSeed(), options->draws);
    } catch (const OddsError& e) {
      return FailDeckCommand(options->deck, context, Cp1252ToUtf8(e.what()));
    } catch (const IoError& e) {
      return FailDeckCommand(options->deck, context,
                             session.db.CardStatPath() + ": " + Cp1252ToUtf8(e.what()));
    }
    if (options->deck.json) {
      WriteJson(context.out, HandJson(options->deck.deck, hand));
      return 0;
    }
    context.out << "Seed: " << hand.Seed << '\n';
    for (const DealtCard& card : hand.Hand) context.out << Cp1252ToUtf8(card.Name) << '\n';
    for (const DealtCard& card : hand.Draws) context.out << Cp1252ToUtf8(card.Name) << '\n';
    return 0;
  };
}

}  // namespace quillet::cli
