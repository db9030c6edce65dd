// quillet-cli odds --goal and hand --goal over the sample decks: the JSON
// shapes, a one-condition goal that agrees with the single group's odds, the
// usage errors before any deck is read, the deck's refusals before "No Such
// Card!", and dealt checks (their count is checked against a dealer written
// in Python by goal_deal_reference.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "sample_data.h"

namespace quillet::cli {
namespace {

using test::Result;
using test::RunOnSamples;
using test::SampleDeck;

TEST(GoalOddsCommand, WritesTheGoalAndEachConditionsChance) {
  const std::string deck = SampleDeck("topdeck-heavy.txt");
  // A repeated group stays in "Goal" and "Each" as given; the larger k
  // decides the whole goal. 9 seen are 9 of the 12 top-deck cards, which
  // hold the 3 Dropship Landings: 1 - (1 + 27) / 220 = 87.27 %.
  Result r =
      RunOnSamples("odds", {deck, "--goal", "1:TopDeckAmount", "--goal", "2:card=Dropship Landing",
                            "--goal", "3:TopDeckAmount", "--seen", "9", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\n  \"FileName\": \"" + deck +
                       "\",\n  \"Pile\": 43,\n  \"TopDeck\": 12,\n  \"Goal\": [\n"
                       "    {\n      \"Group\": \"TopDeckAmount\",\n      \"AtLeast\": 1,\n"
                       "      \"Copies\": 12,\n      \"TopDeckCopies\": 12\n    },\n"
                       "    {\n      \"Group\": \"card=Dropship Landing\",\n"
                       "      \"AtLeast\": 2,\n      \"Copies\": 3,\n"
                       "      \"TopDeckCopies\": 3\n    },\n"
                       "    {\n      \"Group\": \"TopDeckAmount\",\n      \"AtLeast\": 3,\n"
                       "      \"Copies\": 12,\n      \"TopDeckCopies\": 12\n    }\n  ],\n"
                       "  \"Rows\": [\n    {\n      \"Seen\": 9,\n      \"Chance\": 87.3,\n"
                       "      \"Each\": [\n        100.0,\n        87.3,\n        100.0\n"
                       "      ]\n    }\n  ]\n}\n");

  // One condition is the single group's odds, row by row.
  const std::string bion = SampleDeck("monastery-bion.txt");
  r = RunOnSamples("odds", {bion, "--goal", "3:AssetAmount"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "#1: at least 3 of AssetAmount: 14 of 40 cards (0 of 0 top-deck)");
  EXPECT_NE(r.out.find("\nOpening hand (8)     58.8%   58.8%\n"), std::string::npos) << r.out;
  EXPECT_NE(RunOnSamples("odds", {bion, "AssetAmount"}).out.find("58.8%   27.6%"),
            std::string::npos);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2 + 13);
  // The switches are the window's: of the 40 monastery cards, 14 are assets.
  r = RunOnSamples("odds", {bion, "--goal", "1:MonasAmount", "--assets-only", "--cost", "Assets",
                            "--seen", "8", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"Copies\": 14,"), std::string::npos) << r.out;
}

TEST(GoalOddsCommand, WrongLinesAndFailures) {
  const std::string deck = SampleDeck("monastery-bion.txt");
  const std::string one = "1:AssetAmount";
  for (const Args& args :
       {Args{deck, "--goal", one, "--goal", one, "--goal", one, "--goal", one, "--goal", one},
        Args{deck, "AssetAmount", "--goal", one}, Args{deck, "--card", "Koan Ice", "--goal", one},
        Args{deck, "--goal", "0:AssetAmount"}, Args{deck, "--goal", "9:AssetAmount"},
        Args{deck, "--goal", "AssetAmount"}, Args{deck, "--goal", "1:Assets"},
        Args{deck, "--goal", "10:AssetAmount"}, Args{deck, "--goal", one, "--seen", "0"}}) {
    const Result r = RunOnSamples("odds", args);
    EXPECT_EQ(r.code, 2) << args.back();
    EXPECT_TRUE(r.out.empty()) << args.back();
  }
  EXPECT_NE(RunOnSamples("odds", {deck, "--goal", "1:Assets"})
                .err.find("unknown field 'Assets' (did you mean AssetAmount?)"),
            std::string::npos);

  // A card name may hold a colon; one no card has is refused after the
  // deck's own refusals.
  Result r = RunOnSamples("odds", {deck, "--goal", one, "--goal", "1:card=Koan:Ice", "--json"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "No Such Card!\n'Koan:Ice' is not a card name; did you mean: Koan Ice?\n");
  EXPECT_EQ(r.out, "{\n  \"Error\": \"No Such Card!\"\n}\n");
  // The first name no card has is the one named, in odds and hand alike.
  for (const auto& [command, more] :
       {std::pair{"odds", Args{}}, std::pair{"hand", Args{"--trials", "3"}}}) {
    Args args = {deck,     "--goal",         "2:card=Bion Acolyte", "--goal", "1:card=Zzqxw Vorp",
                 "--goal", "1:card=Koan Ise"};
    args.insert(args.end(), more.begin(), more.end());
    r = RunOnSamples(command, args);
    EXPECT_EQ(r.code, 1) << command;
    EXPECT_EQ(r.err, "No Such Card!\n'Zzqxw Vorp' is not a card name; no card name is near it.\n")
        << command;
  }
  // A condition must name its card.
  r = RunOnSamples("hand", {deck, "--goal", "1:card=", "--trials", "3"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("--goal must name a card after card=\n"), std::string::npos) << r.err;
  const std::string bad = SampleDeck("not-a-deck.txt");
  r = RunOnSamples("odds", {bad, "--goal", "1:card=Koan:Ice"});
  EXPECT_EQ(r.err, "File '" + bad + "' is not a valid deck file.\n");

  quillet::test::TempDir dir;
  const std::string negative = dir.Write("negative.txt", "1\tBion HQ\r\n-1\tKoan Ice\r\n");
  for (const auto& [command, trials] :
       {std::pair{"odds", Args{}}, std::pair{"hand", Args{"--trials", "5"}}}) {
    Args args = {negative, "--goal", "1:card=Koan Ic"};
    args.insert(args.end(), trials.begin(), trials.end());
    r = RunOnSamples(command, args);
    EXPECT_EQ(r.code, 1) << command;
    EXPECT_EQ(r.err, "Odds need a deck without negative card counts.\n") << command;
  }
  // The exact chance stops at 10,000 cards; dealing hands does not.
  const std::string large = dir.Write("large.txt", "1\tBion HQ\r\n10001\tKoan Ice\r\n");
  r = RunOnSamples("odds", {large, "--goal", "1:card=Koan Ice"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Odds need a deck of at most 10,000 cards.\n");
  r = RunOnSamples("hand", {large, "--goal", "8:card=Koan Ice", "--trials", "3", "--seed", "1"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Seed: 1\n3 of 3 dealt hands met the goal\n");
}

TEST(GoalHandCommand, CountsTheDealtHands) {
  const std::string deck = SampleDeck("monastery-bion.txt");
  const Args goal = {deck, "--goal", "1:AssetAmount", "--goal", "1:BaseAmount", "--trials"};
  Args args = goal;
  args.insert(args.end(), {"1000", "--seed", "7", "--draw", "2", "--json"});
  Result r = RunOnSamples("hand", args);
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string head = "{\n  \"FileName\": \"" + deck +
                           "\",\n  \"Seed\": 7,\n  \"Trials\": 1000,\n  \"Seen\": 10,\n"
                           "  \"Met\": ";
  ASSERT_EQ(r.out.substr(0, head.size()), head);
  // Near the exact 97.0 % of 10 cards seen.
  const int met = std::stoi(r.out.substr(head.size()));
  EXPECT_GT(met, 950);
  EXPECT_LT(met, 990);

  for (const Args& wrong : {Args{deck, "--goal", "1:AssetAmount"}, Args{deck, "--trials", "5"},
                            Args{deck, "--goal", "1:AssetAmount", "--trials", "0"},
                            Args{deck, "--goal", "1:AssetAmount", "--trials", "10000001"},
                            Args{deck, "--assets-only"}, Args{deck, "--cost", "Assets"}}) {
    r = RunOnSamples("hand", wrong);
    EXPECT_EQ(r.code, 2) << wrong.back();
    EXPECT_TRUE(r.out.empty()) << wrong.back();
  }
}

}  // namespace
}  // namespace quillet::cli
