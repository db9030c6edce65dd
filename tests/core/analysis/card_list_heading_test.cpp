#include "core/analysis/card_list_heading.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"

namespace quillet {
namespace {

using test::Asset;
using test::Card;
using test::WithCosts;

class CardListHeadingTest : public test::AnalysisTest {
 protected:
  void SetUp() override {
    Cards({Card("Golani Special Forces HQ", 'H', 'U'), Card("Golani Decoy HQ", 'H', 'U'),
           Asset("Grunt", "3", "4"), Asset("Sniper", "6", "4"), Asset("Mole", "1", "3"),
           WithCosts(Card("Patch", 'P', 'I'), "0", "0", "2"), Card("Fort", 'B', 'U')});
  }
  static constexpr std::string_view kDeck =
      "1\tGolani Special Forces HQ\r\n3\tGrunt\r\n1\tSniper\r\n2\tMole\r\n2\tPatch\r\n"
      "4\tFort\r\n1\tGolani Decoy HQ\r\n";
};

// Each list the window can show, named as its figure is and summed over the
// lines it shows.
TEST_F(CardListHeadingTest, NamesTheShownListWithItsCopiesAndLines) {
  EXPECT_EQ(CardListHeading(view_), "");  // no deck yet
  ASSERT_TRUE(Open(kDeck));
  // The cards as Total counts them, the two HQs apart.
  EXPECT_EQ(CardListHeading(view_), "Deck: 12 cards and 2 HQs in 7 lines");
  const struct {
    std::string_view figure;
    std::string_view costKind;
    std::string_view heading;
  } cases[] = {
      {"HighStealth", "All cards", "Highest Stealth: 4 copies in 2 lines"},
      {"HighFP", "All cards", "Highest Offensive FP: 1 copy in 1 line"},
      {"HQType", "All cards", "HQ: 2 copies in 2 lines"},
      {"DName", "All cards", "Deck: 12 cards and 2 HQs in 7 lines"},
      {"CybCost", "All cards", "CyberOps deployment cost for All cards: 2 copies in 1 line"},
      {"MilCost", "Programs", "Military deployment cost for Programs: 0 copies in 0 lines"},
  };
  for (const auto& c : cases) {
    view_.SelectCostKind(std::string(c.costKind));
    ASSERT_TRUE(view_.DrillDown(c.figure, db_)) << c.figure;
    EXPECT_EQ(CardListHeading(view_), c.heading) << c.figure;
  }
  // A list of another kind (a chart's bar) is named by its key.
  ASSERT_TRUE(view_.ShowList(
      "Cost1Asset", "Cost1AssetList.txt",
      [](const TCardRecord& card) { return card.CardType == 'A'; }, db_));
  EXPECT_EQ(CardListHeading(view_), "Cost1Asset: 6 copies in 3 lines");
  ASSERT_TRUE(view_.ShowList(
      "Cost1Asset", "Cost1AssetList.txt",
      [](const TCardRecord& card) { return card.CardType == 'A'; }, db_, "Assets costing 1"));
  EXPECT_EQ(CardListHeading(view_), "Assets costing 1: 6 copies in 3 lines");

  // A failed analysis leaves nothing to name.
  EXPECT_FALSE(Open("two\tGrunt\r\n", "bad.txt"));
  EXPECT_EQ(CardListHeading(view_), "");
}

TEST(CardListHeadingRuleTest, SumsEveryCountShownEvenBeyondOneLinesRange) {
  std::vector<TDeckEntry> lines(3);
  lines[0].Count = 2147483647;
  lines[1].Count = 2147483647;
  lines[2].Count = -4;
  EXPECT_EQ(CardListHeading("", "All cards", lines), "Deck: 4294967290 cards in 3 lines");
  EXPECT_EQ(CardListHeading("AntiTerAmount", "All cards", {}), "AT: 0 copies in 0 lines");
  lines.resize(2);
  lines[0].Count = 1;
  lines[1].Count = 1;
  lines[1].Card.CardType = 'H';
  EXPECT_EQ(CardListHeading("", "All cards", lines), "Deck: 1 card and the HQ in 2 lines");
}

}  // namespace
}  // namespace quillet
