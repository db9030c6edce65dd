#include <gtest/gtest.h>

#include <string>

#include "../analysis/analysis_fixture.h"
#include "deck_cli_support.h"

namespace quillet::cli {
namespace {

using quillet::test::Asset;
using quillet::test::Card;
using test::Result;

class ListCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillet::test::WriteCardStat(
        dir_, {Asset("Grunt", "3", "4", "2", "0", 'I'), Asset("Sniper", "5", "4", "2", "0", 'U'),
               Asset("Mole", "1", "2"), Card("Cell", 'B', 'I'), Card("Inner HQ", 'H', 'I')});
    deck_ =
        dir_.Write("deck.txt", "1\tInner HQ\r\n3\tGrunt\r\n2\tSniper\r\n1\tMole\r\n4\tCell\r\n");
  }
  Result Run(Args args) { return test::RunCommand("list", args, dir_.path()); }

  quillet::test::TempDir dir_;
  std::string deck_;
};

TEST_F(ListCommandTest, UnknownFieldOrMissingFieldIsBadUsage) {
  EXPECT_EQ(Run({deck_, "CostBox"}).code, 2);
  EXPECT_EQ(Run({deck_, "highstealth"}).code, 2);
  EXPECT_EQ(Run({deck_}).code, 2);
}

TEST_F(ListCommandTest, PrintsTheLinesOfTheDrillDown) {
  const Result r = Run({deck_, "HighStealth"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "3    Grunt\n2    Sniper\n");
}

TEST_F(ListCommandTest, JsonNamesTheProposedFile) {
  Result r = Run({deck_, "InnerCircleAmount", "--json"});
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(
      r.out,
      "{\n  \"FileName\": \"Inner CircleList.txt\",\n  \"CardList\": [\n    \"1    Inner HQ\",\n"
      "    \"3    Grunt\",\n    \"4    Cell\"\n  ]\n}\n");
  r = Run({deck_, "InnerCircleAmount", "--json", "--assets-only"});
  EXPECT_NE(r.out.find("\"CardList\": [\n    \"3    Grunt\"\n  ]"), std::string::npos);
  r = Run({deck_, "DName", "--json"});
  EXPECT_NE(r.out.find("\"FileName\": \"CardList.txt\""), std::string::npos);
  r = Run({deck_, "CybCost", "--json", "--cost", "Programs"});
  EXPECT_EQ(r.out, "{\n  \"FileName\": \"CybOpCostList.txt\",\n  \"CardList\": []\n}\n");
}

TEST_F(ListCommandTest, InvalidDeckFailsLikeAnalyze) {
  const std::string bad = dir_.Write("bad.txt", "\r\n");
  const Result r = Run({bad, "HQType"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "File '" + bad + "' is not a valid deck file.\n");
}

}  // namespace
}  // namespace quillet::cli
