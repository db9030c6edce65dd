// `quillet-cli hand`: a sample hand dealt as the game deals, by the same
// engine and seed as the sample hand window, so a hand seen in one can be
// dealt again in the other. With --goal and --trials it deals T hands from
// the seed on instead and counts those that meet the goal.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "cli/goal_option.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/odds/draw_odds.h"
#include "core/odds/goal_deal.h"
#include "core/odds/sample_deal.h"

namespace quillet::cli {
namespace {

struct HandOptions {
  DeckCommandOptions deck;
  std::uint64_t seed = 0;
  std::int64_t draws = 0;
  std::vector<std::string> goal;  // the conditions as typed
  std::uint64_t trials = 0;
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

// The JSON shape of a dealt check.
Json DealtJson(const std::string& fileName, std::uint64_t seed, std::uint64_t trials,
               std::int64_t seen, std::uint64_t met) {
  return Json{
      {"FileName", fileName}, {"Seed", seed}, {"Trials", trials}, {"Seen", seen}, {"Met", met}};
}

int RunDealtCheck(const HandOptions& options, std::uint64_t seed, CommandContext& context) {
  Goal goal;
  if (const int code =
          AnalyzeGoal(options.deck, options.goal, DeckPile::Limit::kNoLimit, context, goal)) {
    return code;
  }
  // Draws past the end of any pile are all the same; the sum must not wrap.
  const std::int64_t seen =
      kOpeningHand +
      std::min(options.draws, std::numeric_limits<std::int64_t>::max() - kOpeningHand);
  const std::uint64_t met = GoalDealer(goal, seen).CountMet(seed, 0, options.trials);
  if (options.deck.json) {
    WriteJson(context.out, DealtJson(options.deck.deck, seed, options.trials, seen, met));
  } else {
    context.out << "Seed: " << seed << '\n'
                << met << " of " << options.trials << " dealt hands met the goal\n";
  }
  return 0;
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
  CLI::Option* goal = AddGoalOption(command, options->goal);
  CLI::Option* trials =
      command
          .add_option("--trials", options->trials, "Deal T hands and count those meeting the goal")
          ->type_name("T");
  WholeNumberOption(*trials, 1, kMostDealtTrials);
  goal->needs(trials);
  trials->needs(goal);
  AddDataOption(command, options->deck.dataDir);
  command
      .add_flag("--assets-only", options->deck.assetsOnly,
                "Count assets only in the domain figures (with --goal)")
      ->needs(goal);
  AddCostOption(command, options->deck.costKind);
  command.get_option("--cost")->needs(goal);
  command.add_flag("--json", options->deck.json, "Write JSON");
  return [options, seed, goal](CommandContext& context) {
    if (goal->count() > 0) {
      return RunDealtCheck(*options, seed->count() > 0 ? options->seed : RandomSeed(), context);
    }
    AnalysedDeck analysed(DataFolder(context, options->deck.dataDir));
    if (const int code = AnalyzeForCli(options->deck, analysed, context)) return code;
    SampleHand hand;
    try {
      hand = DealSampleHand(DeckPile::FromAnalysis(analysed.Analysis()),
                            seed->count() > 0 ? options->seed : RandomSeed(), options->draws);
    } catch (const OddsError& e) {
      return FailDeckCommand(options->deck, context, Cp1252ToUtf8(e.what()));
    } catch (const IoError& e) {
      return FailDeckCommand(options->deck, context,
                             analysed.db.CardStatPath() + ": " + Cp1252ToUtf8(e.what()));
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
