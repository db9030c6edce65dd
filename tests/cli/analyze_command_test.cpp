#include <gtest/gtest.h>

#include <string>

#include "core/analysis/analysis_fixture.h"
#include "deck_cli_support.h"

namespace quillet::cli {
namespace {

using quillet::test::Asset;
using quillet::test::Card;
using test::JsonInt;
using test::Result;

class AnalyzeCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillet::test::WriteCardStat(
        dir_, {Asset("Grunt", "3", "2", "2", "0", 'U'), Card("Cell", 'B', 'U'),
               quillet::test::WithCosts(Card("Crawler", 'P', 'F'), "0", "1", "2"),
               Card("Bion HQ", 'H', 'M')});
    deck_ = dir_.Write("deck.txt",
                       "1\tBion HQ\r\n3\tGrunt\r\n2\tCell\r\n1\tCr\xE9me\r\n2\tCrawler\r\n");
  }
  Result Run(Args args) { return test::RunCommand("analyze", args, dir_.path()); }

  quillet::test::TempDir dir_;
  std::string deck_;
};

TEST_F(AnalyzeCommandTest, BadUsageExitsTwo) {
  EXPECT_EQ(Run({}).code, 2);
  EXPECT_EQ(Run({deck_, deck_}).code, 2);
  EXPECT_EQ(Run({deck_, "--colour"}).code, 2);
  EXPECT_EQ(Run({deck_, "--cost"}).code, 2);
  EXPECT_EQ(Run({deck_, "--cost", "assets"}).code, 2);
  EXPECT_EQ(Run({deck_, "--data", ""}).code, 2);
}

TEST_F(AnalyzeCommandTest, MissingDataFileExitsOne) {
  quillet::test::TempDir empty;
  const Result r = Run({deck_, "--data", empty.path()});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "You must create a data file to use this program\nData folder: " + empty.path() + "\n");
}

TEST_F(AnalyzeCommandTest, InvalidDeckExitsOneWithTheWindowsMessage) {
  const std::string bad = dir_.Write("bad.txt", "two\tGrunt\r\n");
  Result r = Run({bad});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "File '" + bad + "' is not a valid deck file.\n");
  EXPECT_EQ(r.out, "");
  r = Run({bad, "--json"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "{\n  \"Error\": \"File '" + bad + "' is not a valid deck file.\"\n}\n");
}

TEST_F(AnalyzeCommandTest, JsonCarriesEveryFigureAndList) {
  const Result r = Run({deck_, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "Error - the following cards could not be found: Cr\xC3\xA9me\n");
  EXPECT_NE(r.out.find("\"DName\": \"" + deck_ + "\""), std::string::npos);
  EXPECT_NE(r.out.find("\"HQType\": \"Bion HQ\""), std::string::npos);
  EXPECT_EQ(JsonInt(r.out, "Fields", "TotalAmount"), 7);
  EXPECT_EQ(JsonInt(r.out, "Fields", "UNAmount"), 5);
  EXPECT_EQ(JsonInt(r.out, "Fields", "CybCost"), 4);
  EXPECT_EQ(JsonInt(r.out, "Stats", "AllMonasAmount"), 1);
  EXPECT_EQ(JsonInt(r.out, "Stats", "PCASum"), 2);
  EXPECT_NE(r.out.find("\"HQFound\": true"), std::string::npos);
  EXPECT_NE(
      r.out.find("\"CostBox\": [\n    \"Assets\",\n    \"Programs\",\n    \"All cards\"\n  ]"),
      std::string::npos);
  EXPECT_NE(r.out.find("\"CardList\": [\n    \"1    Bion HQ\",\n    \"3    Grunt\""),
            std::string::npos);
  EXPECT_NE(r.out.find("{\n      \"Count\": 2,\n      \"Name\": \"Crawler\"\n    }"),
            std::string::npos);
  EXPECT_NE(r.out.find("\"Missing\": [\n    \"Cr\xC3\xA9me\"\n  ]"), std::string::npos);
  EXPECT_NE(r.out.find("\"This deck has less than 40 cards - It is illegal under normal rules!\""),
            std::string::npos);
}

TEST_F(AnalyzeCommandTest, SwitchesApplyAsTheUserWouldPickThem) {
  const Result r = Run({deck_, "--json", "--assets-only", "--cost", "Enhancements"});
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(JsonInt(r.out, "Fields", "UNAmount"), 3);
  EXPECT_EQ(JsonInt(r.out, "Fields", "CybCost"), 0);
  // The cost selector keeps the deck's items.
  EXPECT_NE(
      r.out.find("\"CostBox\": [\n    \"Assets\",\n    \"Programs\",\n    \"All cards\"\n  ]"),
      std::string::npos);
}

TEST_F(AnalyzeCommandTest, TextReportIsLaidOutLikeTheWindow) {
  const Result r = Run({deck_, "--cost", "Programs"});
  ASSERT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("Deck Name: " + deck_ + "\nHQ Type: Bion HQ\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Assets: 3  Mechs: 0  AT: 0"), std::string::npos);
  EXPECT_NE(r.out.find("  Total Deployment cost for: Programs\n"), std::string::npos);
  EXPECT_NE(r.out.find("  No assets: 0%  No bases: 0%  Selected Card: 0%"), std::string::npos);
  EXPECT_NE(r.out.find("\nProblems:\n  This deck has less than 40 cards"), std::string::npos);
  EXPECT_NE(r.out.find("\nCards not found:\n  Cr\xC3\xA9me\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nCard list:\n  1    Bion HQ\n"), std::string::npos);
}

}  // namespace
}  // namespace quillet::cli
