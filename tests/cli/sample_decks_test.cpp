// End to end over the sample data: build the database from samples/cards.txt
// with the build command, analyse every sample deck and check the figures a
// player would check by hand (samples/README.md lists them).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sample_data.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using test::JsonInt;
using test::Result;

using test::kSamples;

class SampleDecksTest : public ::testing::Test {
 protected:
  static Result Analyze(const std::string& deck, Args extra = {}) {
    Args args{kSamples + "decks/" + deck, "--json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return test::RunCommand("analyze", args, test::SampleData());
  }
  static Result List(const std::string& deck, const std::string& field) {
    return test::RunCommand("list", {kSamples + "decks/" + deck, field}, test::SampleData());
  }
  static void ExpectFields(const Result& r, const std::map<std::string, long>& figures) {
    ASSERT_EQ(r.code, 0) << r.err;
    for (const auto& [name, value] : figures) {
      EXPECT_EQ(JsonInt(r.out, "Fields", name), value) << name;
    }
  }
  static std::vector<std::string> Problems(const std::string& json) {
    std::vector<std::string> out;
    auto pos = json.find("\"ProblemBox\": [");
    const auto end = json.find(']', pos);
    while ((pos = json.find("\n    \"", pos)) < end) {
      const auto close = json.find("\"\n", pos + 6);
      const auto comma = json.find("\",\n", pos + 6);
      const auto stop = std::min(close, comma);
      out.push_back(json.substr(pos + 6, stop - pos - 6));
      pos = stop;
    }
    return out;
  }
};

TEST_F(SampleDecksTest, MonasteryBionIsClean) {
  const Result r = Analyze("monastery-bion.txt");
  ExpectFields(r, {{"TotalAmount", 40},     {"AssetAmount", 14},    {"BaseAmount", 11},
                   {"MonasAmount", 41},     {"TotalMilAmount", 60}, {"TotalCovAmount", 33},
                   {"TotalCybAmount", 105}, {"MilCost", 3},         {"CovCost", 10},
                   {"CybCost", 30},         {"NoAssets", 2},        {"NoBases", 6},
                   {"HighFP", 4},           {"AverageFP", 2},       {"HighStealth", 5},
                   {"HighPercep", 8},       {"HighACA", 5},         {"AverageACA", 3},
                   {"HighPCA", 4},          {"AveragePCA", 3},      {"CommonAmount", 23},
                   {"UncommonAmount", 13},  {"RareAmount", 3},      {"VRareAmount", 1}});
  EXPECT_NE(r.out.find("\"HQType\": \"Bion HQ\""), std::string::npos);
  EXPECT_TRUE(Problems(r.out).empty());
  EXPECT_EQ(JsonInt(Analyze("monastery-bion.txt", {"--assets-only"}).out, "Fields", "MonasAmount"),
            14);
}

TEST_F(SampleDecksTest, GolaniLosesItsBonusToOneCard) {
  const Result r = Analyze("un-golani.txt");
  ExpectFields(r, {{"TotalAmount", 45},
                   {"UNAmount", 45},
                   {"TotalMilAmount", 195},
                   {"TotalCovAmount", 21},
                   {"TotalCybAmount", 20},
                   {"MilCost", 51},
                   {"CovCost", 5},
                   {"CybCost", 9},
                   {"NoAssets", 2},
                   {"NoBases", 6},
                   {"HighFP", 6},
                   {"AverageFP", 4},
                   {"OtherBaseAmount", 1}});
  EXPECT_EQ(Problems(r.out),
            (std::vector<std::string>{"Non-UN cards in Golani Special Forces HQ deck!",
                                      "This deck has no Sabotage assets."}));
}

TEST_F(SampleDecksTest, MissingCardsAreReportedAndLeftOut) {
  const Result r = Analyze("corporate-missing-cards.txt");
  EXPECT_EQ(r.err,
            "Error - the following cards could not be found: harness bull, Phantom Courier\n");
  ExpectFields(r, {{"TotalAmount", 40},
                   {"AssetAmount", 19},
                   {"BaseAmount", 11},
                   {"TotalMilAmount", 90},
                   {"TotalCovAmount", 0},
                   {"TotalCybAmount", 105},
                   {"MilCost", 21},
                   {"CovCost", 17},
                   {"CybCost", 24},
                   {"MechAmount", 3},
                   {"NoAssets", 0},
                   {"NoBases", 6},
                   {"HighFP", 5}});
  EXPECT_EQ(Problems(r.out),
            (std::vector<std::string>{"This deck may not produce enough Covert resources!"}));
}

TEST_F(SampleDecksTest, IllegalFusDeck) {
  const Result r = Analyze("fus-illegal.txt");
  ExpectFields(r, {{"TotalAmount", 37},
                   {"AssetAmount", 20},
                   {"BaseAmount", 11},
                   {"TotalMilAmount", 285},
                   {"TotalCovAmount", 20},
                   {"TotalCybAmount", 30},
                   {"MilCost", 58},
                   {"NoBases", 4},
                   {"HighFP", 7},
                   {"OtherEnhAmount", -2}});
  EXPECT_EQ(Problems(r.out),
            (std::vector<std::string>{
                "This deck has less than 40 cards - It is illegal under normal rules!",
                "This deck has more than 4 of 'Dragon Trooper' - It is illegal under normal rules!",
                "This deck has more than 4 of 'Steppe Tank' - It is illegal under normal rules!",
                "This deck has more than 4 of 'Frost Bunker' - It is illegal under normal rules!",
                "This deck has no AntiTerrorism assets!",
                "There may be too many Military bases in the deck."}));
}

TEST_F(SampleDecksTest, TopdeckHeavyDeck) {
  const Result r = Analyze("topdeck-heavy.txt");
  ExpectFields(r, {{"TotalAmount", 43},
                   {"TopDeckAmount", 12},
                   {"AssetAmount", 16},
                   {"BaseAmount", 13},
                   {"NoAssets", 0},
                   {"NoBases", 2},
                   {"TotalMilAmount", 120},
                   {"TotalCovAmount", 60},
                   {"TotalCybAmount", 60},
                   {"MilCost", 24},
                   {"CovCost", 11},
                   {"CybCost", 6}});
  EXPECT_NE(r.out.find("\"HQType\": \"Normal\""), std::string::npos);
  EXPECT_EQ(
      Problems(r.out),
      (std::vector<std::string>{
          "This deck has no AntiTerrorism assets!", "There are more than 8 top deck cards!",
          "This deck has low Perception!", "There may be too many Military bases in the deck."}));
  const Result topdeck = List("topdeck-heavy.txt", "TopDeckAmount");
  ASSERT_EQ(topdeck.code, 0);
  EXPECT_NE(topdeck.out.find("4    Ambush Team\n"), std::string::npos);
  EXPECT_NE(topdeck.out.find("1    Deep Cover Agent\n"), std::string::npos);
}

TEST_F(SampleDecksTest, ContractsWithoutSacrifices) {
  const Result r = Analyze("contracts.txt");
  ExpectFields(r, {{"TotalAmount", 44},
                   {"IntervenAmount", 9},
                   {"TotalMilAmount", 195},
                   {"TotalCovAmount", 180},
                   {"TotalCybAmount", 120},
                   {"YakusaAmount", 4}});
  EXPECT_EQ(Problems(r.out),
            (std::vector<std::string>{
                "More Arms Export Contracts than FP 5 or more military assets to sacrifice!",
                "More Covert Ops Contracts than stealth 3 or more covert assets to sacrifice!",
                "More Software Maintenance Contracts than cyberaffinity 4 or more cyberops "
                "assets to sacrifice!",
                "This deck has no AntiTerrorism assets!", "This deck has low Perception!"}));
  const Result prod = List("contracts.txt", "TotalMilAmount");
  ASSERT_EQ(prod.code, 0);
  EXPECT_NE(prod.out.find("3    Arms Export Contract\n"), std::string::npos);
}

TEST_F(SampleDecksTest, NotADeck) {
  const Result r = Analyze("not-a-deck.txt");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "File '" + kSamples + "decks/not-a-deck.txt' is not a valid deck file.\n");
}

}  // namespace
}  // namespace quillet::cli
