// quillet-cli odds and hand over the sample decks: the JSON shapes, the
// number format of the chances, the usage errors and failures, and hands
// that deal again by their seed exactly as an independent reference deals.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "cli/commands.h"
#include "core/odds/draw_odds.h"
#include "sample_data.h"

namespace quillet::cli {
namespace {

using test::Result;
using test::RunOnSamples;
using test::SampleDeck;

TEST(OddsJsonNumber, EveryChanceIsWrittenWithOneDecimalAsTheWindowShowsIt) {
  for (std::int32_t perMille = 0; perMille <= 1000; ++perMille) {
    ASSERT_EQ(PercentNumber(perMille).dump(), PerMilleText(perMille)) << perMille;
  }
}

TEST(OddsCommand, WritesTheGroupAndItsRows) {
  const std::string deck = SampleDeck("monastery-bion.txt");
  Result r = RunOnSamples("odds", {deck, "AssetAmount", "--seen", "8", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\n  \"FileName\": \"" + deck +
                       "\",\n  \"Group\": \"AssetAmount\",\n  \"Copies\": 14,\n"
                       "  \"TopDeckCopies\": 0,\n  \"Pile\": 40,\n  \"TopDeck\": 0,\n"
                       "  \"Odds\": [\n    {\n      \"Seen\": 8,\n      \"AtLeast\": [\n"
                       "        98.0,\n        86.0,\n        58.8,\n        27.6\n      ]\n"
                       "    }\n  ]\n}\n");
  // The window's thirteen rows, captioned as there.
  r = RunOnSamples("odds", {deck, "AssetAmount"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\nOpening hand (8)     98.0%   86.0%   58.8%   27.6%\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("\n+12 draws (20)"), std::string::npos);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2 + 13);

  // Top-deck cards come first: 3 of the 12 top-deck cards, none of the rest.
  r = RunOnSamples("odds", {SampleDeck("topdeck-heavy.txt"), "--card", "Dropship Landing", "--seen",
                            "3", "--json"});
  EXPECT_NE(
      r.out.find("\"Copies\": 3,\n  \"TopDeckCopies\": 3,\n  \"Pile\": 43,\n  \"TopDeck\": 12"),
      std::string::npos);
  EXPECT_NE(r.out.find("61.8,\n        12.7,\n        0.5,\n        0.0"), std::string::npos);
  // A card the deck does not hold is a group of none; past the pile all is seen.
  r = RunOnSamples("odds", {deck, "--card", "Air Strike", "--seen", "1000000", "--json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"Copies\": 0,"), std::string::npos);
  r = RunOnSamples("odds", {deck, "TotalAmount", "--seen", "1000000"});
  EXPECT_NE(r.out.find("100.0%  100.0%  100.0%  100.0%"), std::string::npos);
}

TEST(OddsCommand, WrongLinesAndFailures) {
  const std::string deck = SampleDeck("monastery-bion.txt");
  for (const Args& args :
       {Args{deck, "NoSuchField"}, Args{deck}, Args{deck, "--seen", "3"},
        Args{deck, "AssetAmount", "--seen", "0"}, Args{deck, "AssetAmount", "--seen", "-2"},
        Args{deck, "AssetAmount", "--seen", "9223372036854775808"},
        Args{deck, "AssetAmount", "--card", "Koan Ice"},
        Args{deck, "--card", "Koan Ice", "--assets-only"}}) {
    const Result r = RunOnSamples("odds", args);
    EXPECT_EQ(r.code, 2) << args.back();
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_NE(RunOnSamples("odds", {deck, "NoSuchField"}).err.find("unknown field 'NoSuchField'"),
            std::string::npos);

  const std::string bad = SampleDeck("not-a-deck.txt");
  Result r = RunOnSamples("odds", {bad, "AssetAmount", "--json"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "File '" + bad + "' is not a valid deck file.\n");
  EXPECT_EQ(r.out, "{\n  \"Error\": \"File '" + bad + "' is not a valid deck file.\"\n}\n");

  // A name no card has is refused as the card browser refuses it, but only
  // once the deck itself has passed.
  r = RunOnSamples("odds", {deck, "--card", "Koan Ic", "--json"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "No Such Card!\n'Koan Ic' is not a card name; did you mean: Koan Ice?\n");
  EXPECT_EQ(r.out, "{\n  \"Error\": \"No Such Card!\"\n}\n");
  r = RunOnSamples("odds", {bad, "--card", "Koan Ic"});
  EXPECT_EQ(r.err, "File '" + bad + "' is not a valid deck file.\n");

  quillet::test::TempDir dir;
  const std::string negative = dir.Write("negative.txt", "1\tBion HQ\r\n-1\tKoan Ice\r\n");
  for (const auto& [command, args] :
       {std::pair{"odds", Args{negative, "TotalAmount", "--json"}},
        std::pair{"odds", Args{negative, "--card", "Koan Ic", "--json"}},
        std::pair{"hand", Args{negative, "--json"}}}) {
    r = RunOnSamples(command, args);
    EXPECT_EQ(r.code, 1) << command;
    EXPECT_EQ(r.err, "Odds need a deck without negative card counts.\n");
    EXPECT_EQ(r.out, "{\n  \"Error\": \"Odds need a deck without negative card counts.\"\n}\n");
  }
}

TEST(HandCommand, DealsAgainByTheSeed) {
  const std::string deck = SampleDeck("topdeck-heavy.txt");
  // tools/deal_reference.py over this deck's lines: the top-deck part first.
  Result r = RunOnSamples("hand", {deck, "--seed", "20240611", "--draw", "6", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\n  \"FileName\": \"" + deck +
                "\",\n  \"Seed\": 20240611,\n  \"Hand\": [\n    \"Ambush Team\",\n"
                "    \"Ambush Team\",\n    \"Dropship Landing\",\n    \"Paratrooper Drop\",\n"
                "    \"Ambush Team\",\n    \"Opening Gambit\",\n    \"Deep Cover Agent\",\n"
                "    \"Opening Gambit\"\n  ],\n  \"Draws\": [\n    \"Paratrooper Drop\",\n"
                "    \"Ambush Team\",\n    \"Dropship Landing\",\n    \"Dropship Landing\",\n"
                "    \"Courier Van\",\n    \"Sniper Scope\"\n  ]\n}\n");
  r = RunOnSamples("hand", {deck, "--seed", "42", "--draw", "3"});
  EXPECT_EQ(r.out,
            "Seed: 42\nOpening Gambit\nDropship Landing\nDropship Landing\nParatrooper Drop\n"
            "Ambush Team\nParatrooper Drop\nDeep Cover Agent\nAmbush Team\nAmbush Team\n"
            "Opening Gambit\nDropship Landing\n");

  // A hand nobody asked for by seed shows its seed, which deals it again;
  // the draws stop at the end of the pile.
  const Result random = RunOnSamples("hand", {deck, "--draw", "1000"});
  ASSERT_EQ(random.code, 0);
  EXPECT_EQ(std::count(random.out.begin(), random.out.end(), '\n'), 1 + 43);
  const std::string seed = random.out.substr(6, random.out.find('\n') - 6);
  EXPECT_EQ(RunOnSamples("hand", {deck, "--draw", "1000", "--seed", seed}).out, random.out);

  for (const Args& args : {Args{deck, "--seed", "-1"}, Args{deck, "--seed", "x"},
                           Args{deck, "--draw", "-1"}, Args{deck, "--seed"}}) {
    EXPECT_EQ(RunOnSamples("hand", args).code, 2) << args.back();
  }
  // One past the largest seed is named, not dealt as the largest.
  const Result beyond = RunOnSamples("hand", {deck, "--seed", "18446744073709551616"});
  EXPECT_EQ(beyond.code, 2);
  EXPECT_NE(beyond.err.find("--seed must be 0 to 18446744073709551615\n"), std::string::npos)
      << beyond.err;
  EXPECT_EQ(RunOnSamples("hand", {deck, "--seed", "18446744073709551615"}).code, 0);
  // Draws beyond any pile deal the rest of it, however many are asked for.
  EXPECT_EQ(RunOnSamples("hand", {deck, "--seed", "7", "--draw", "99999999999999999999999"}).out,
            RunOnSamples("hand", {deck, "--seed", "7", "--draw", "1000"}).out);
}

}  // namespace
}  // namespace quillet::cli
