// quillet-cli diff and check over the sample decks: the JSON shapes, the exit
// codes scripts rely on, and the failures.
#include <gtest/gtest.h>

#include <string>

#include "sample_data.h"

namespace quillet::cli {
namespace {

using test::Result;
using test::RunOnSamples;
using test::SampleDeck;

TEST(DiffCommand, ComparesTwoVersionsOfADeck) {
  const std::string a = SampleDeck("monastery-bion.txt");
  const std::string b = SampleDeck("monastery-bion-v2.txt");
  Result r = RunOnSamples("diff", {a, b, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto card = [](const std::string& name, int inA, int inB) {
    return "    {\n      \"Name\": \"" + name + "\",\n      \"A\": " + std::to_string(inA) +
           ",\n      \"B\": " + std::to_string(inB) + "\n    }";
  };
  const auto field = [](const std::string& name, int inA, int inB) {
    return "    {\n      \"Field\": \"" + name + "\",\n      \"A\": " + std::to_string(inA) +
           ",\n      \"B\": " + std::to_string(inB) + "\n    }";
  };
  std::string fields;
  for (const auto& [name, inA, inB] : {std::tuple{"AssetAmount", 14, 16},
                                       {"SpearHeadAmount", 0, 2},
                                       {"VeteranAmount", 3, 4},
                                       {"UniqueAmount", 2, 1},
                                       {"IntervenAmount", 5, 4},
                                       {"LocalAmount", 2, 1},
                                       {"ProgAmount", 5, 6},
                                       {"IceAmount", 1, 2},
                                       {"TotalAmount", 40, 42},
                                       {"MonasAmount", 41, 42},
                                       {"OffenceAmount", 14, 16},
                                       {"HighPercep", 8, 6},
                                       {"ProgrammerAmount", 9, 10},
                                       {"AverageACA", 3, 2},
                                       {"TotalCybAmount", 105, 90},
                                       {"MilCost", 3, 5},
                                       {"CovCost", 10, 11},
                                       {"CybCost", 30, 31},
                                       {"NoAssets", 2, 1},
                                       {"NoBases", 6, 7},
                                       {"UncommonAmount", 13, 12},
                                       {"CommonAmount", 23, 26}}) {
    fields += (fields.empty() ? "" : ",\n") + field(name, inA, inB);
  }
  EXPECT_EQ(r.out, "{\n  \"A\": \"" + a + "\",\n  \"B\": \"" + b + "\",\n  \"Cards\": [\n" +
                       card("Koan Ice", 1, 2) + ",\n" + card("Mercenary Gunner", 0, 1) + ",\n" +
                       card("Saffron Runner", 0, 2) + ",\n" + card("Thousand Eye Seer", 1, 0) +
                       ",\n" + card("Vow of Silence", 2, 1) + "\n  ],\n  \"Fields\": [\n" + fields +
                       "\n  ],\n  \"ProblemsOnlyA\": [],\n  \"ProblemsOnlyB\": [\n"
                       "    \"Non-Monastery cards in Bion HQ deck!\"\n  ],\n"
                       "  \"MissingA\": [],\n  \"MissingB\": [\n    \"Lotus Warden\"\n  ]\n}\n");

  // The switches apply to both decks; the text names each part.
  r = RunOnSamples("diff", {a, b, "--cost", "Programs"});
  ASSERT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("  Koan Ice           1  2      +1\n"), std::string::npos);
  EXPECT_NE(r.out.find("Problems only in B:\n  Non-Monastery cards in Bion HQ deck!\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("Cards not found in B:\n  Lotus Warden\n"), std::string::npos);
  EXPECT_EQ(r.out.find("(MilCost)"), std::string::npos);  // no program costs military
  EXPECT_NE(RunOnSamples("diff", {a, a}).out.find("The decks do not differ."), std::string::npos);
}

TEST(DiffCommand, EitherDeckFailingFailsTheDiff) {
  const std::string good = SampleDeck("monastery-bion.txt");
  const std::string bad = SampleDeck("not-a-deck.txt");
  for (const Args& args : {Args{good, bad, "--json"}, Args{bad, good, "--json"}}) {
    const Result r = RunOnSamples("diff", args);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "File '" + bad + "' is not a valid deck file.\n");
    EXPECT_EQ(r.out, "{\n  \"Error\": \"File '" + bad + "' is not a valid deck file.\"\n}\n");
  }
  EXPECT_EQ(RunOnSamples("diff", {good}).code, 2);
  EXPECT_EQ(RunOnSamples("diff", {good, good, good}).code, 2);
  EXPECT_EQ(RunOnSamples("diff", {good, good, "--cost", "Bases"}).code, 2);
}

struct CheckCase {
  const char* deck;
  bool strict;
  int code;
  const char* firstLine;  // of the text output; "" for none
};

class CheckCommand : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckCommand, ExitCodeSaysWhetherTheDeckIsLegal) {
  const CheckCase& c = GetParam();
  Args args{SampleDeck(c.deck)};
  if (c.strict) args.push_back("--strict");
  const Result r = RunOnSamples("check", args);
  EXPECT_EQ(r.code, c.code) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.firstLine);
}

INSTANTIATE_TEST_SUITE_P(
    SampleDecks, CheckCommand,
    ::testing::Values(
        CheckCase{"monastery-bion.txt", false, 0, ""}, CheckCase{"monastery-bion.txt", true, 0, ""},
        CheckCase{"contracts.txt", false, 0,
                  "More Arms Export Contracts than FP 5 or more military assets to sacrifice!"},
        CheckCase{"contracts.txt", true, 3,
                  "More Arms Export Contracts than FP 5 or more military assets to sacrifice!"},
        CheckCase{"fus-illegal.txt", false, 3,
                  "This deck has less than 40 cards - It is illegal under normal rules!"},
        CheckCase{"corporate-missing-cards.txt", false, 3,
                  "This deck may not produce enough Covert resources!"},
        CheckCase{"not-a-deck.txt", false, 1, ""}));

TEST(CheckCommandJson, ListsTheProblemsAndTheCardsNotFound) {
  const std::string deck = SampleDeck("corporate-missing-cards.txt");
  Result r = RunOnSamples("check", {deck, "--json"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.out,
            "{\n  \"FileName\": \"" + deck +
                "\",\n  \"Legal\": false,\n  \"Problems\": [\n"
                "    \"This deck may not produce enough Covert resources!\"\n  ],\n"
                "  \"Missing\": [\n    \"harness bull\",\n    \"Phantom Courier\"\n  ]\n}\n");
  r = RunOnSamples("check", {SampleDeck("monastery-bion.txt"), "--json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"Legal\": true,\n  \"Problems\": [],\n  \"Missing\": []"),
            std::string::npos);
  quillet::test::TempDir empty;
  r = test::RunCommand("check", {deck, "--data", empty.path(), "--json"}, empty.path());
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "{\n  \"Error\": \"You must create a data file to use this program\"\n}\n");
  EXPECT_EQ(RunOnSamples("check", {deck, "--strict=maybe"}).code, 2);
}

}  // namespace
}  // namespace quillet::cli
