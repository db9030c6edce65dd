#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "core/analysis/analysis_fixture.h"
#include "core/analysis/field_names.h"
#include "core/analysis/main_view.h"
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

namespace quillet::cli {
namespace {

// Every integer field, in window order, by the name to type and the words
// that name it: the caption without its colon, or for the captionless
// resource boxes the window's words.
TEST(FieldsCommand, NamesEveryFieldByItsCaption) {
  const Result text = test::RunCommand("fields", {}, "/nowhere/");
  const Result json = test::RunCommand("fields", {"--json"}, "/nowhere/");
  ASSERT_EQ(text.code, 0) << text.err;
  ASSERT_EQ(json.code, 0) << json.err;
  const auto list = nlohmann::ordered_json::parse(json.out);
  ASSERT_EQ(list.size(), MasterFields().size());
  std::istringstream lines(text.out);
  std::string line;
  for (std::size_t i = 0; i < MasterFields().size(); ++i) {
    const MasterField& field = MasterFields()[i];
    const std::string caption = list[i]["Caption"];
    EXPECT_EQ(list[i]["Field"], field.name);
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_TRUE(line.starts_with(std::string(field.name) + "  ")) << line;
    EXPECT_TRUE(line.ends_with("  " + caption)) << line;
    EXPECT_FALSE(caption.empty() || caption.ends_with(':') || caption.ends_with(' ')) << line;
    if (field.name != "TotalMilAmount" && !field.caption.empty()) {
      EXPECT_TRUE(std::string(field.caption).starts_with(caption + ":")) << line;
    }
  }
  EXPECT_FALSE(std::getline(lines, line));
  EXPECT_NE(text.out.find("\nAntiTerAmount      AT\n"), std::string::npos);
  EXPECT_NE(text.out.find("\nTotalMilAmount     Military production\n"), std::string::npos);
  EXPECT_NE(text.out.find("\nCybCost            CyberOps deployment cost for All cards\n"),
            std::string::npos);
  EXPECT_EQ(FieldDisplayName("CovCost", "Programs"), "Covert deployment cost for Programs");
  EXPECT_EQ(FieldDisplayName("HQType"), "HQ");
}

// With no data file in a folder the user named, the JSON error is the one
// line and stderr names the folder after it.
TEST(NoDataFile, NamesAChosenFolderOnlyOnStderr) {
  quillet::test::TempDir dir;
  const std::string deck = dir.Write("deck.txt", "1\tSome Card\r\n");
  const Result r = test::RunCommand("analyze", {deck, "--json", "--data", dir.path()}, "/nowhere/");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "{\n  \"Error\": \"You must create a data file to use this program\"\n}\n");
  EXPECT_EQ(r.err,
            "You must create a data file to use this program\nData folder: " + dir.path() + "\n");
  // A folder the rule found by itself is not named.
  EXPECT_EQ(test::RunCommand("analyze", {deck}, dir.path()).err,
            "You must create a data file to use this program\n");
}

}  // namespace
}  // namespace quillet::cli
