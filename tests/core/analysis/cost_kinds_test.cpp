// The one table of cost kinds: the selector, the command line and the
// drill-down lists all take their kinds from it, and the main window's cost
// sums are kept for exactly these kinds.
#include "core/analysis/cost_kinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/master_model.h"

namespace quillet {
namespace {

TCardRecord OfType(char type) {
  TCardRecord card;
  card.CardType = type;
  return card;
}

TEST(CostKindsTest, NamesTheKindsInTheCommandLinesOrder) {
  EXPECT_EQ(CostKindNames(), (std::vector<std::string>{"All cards", "Assets", "Enhancements",
                                                       "Interventions", "Programs"}));
  EXPECT_EQ(FindCostKindItem("Programs"), &kCostKindItems[4]);
  EXPECT_EQ(FindCostKindItem("programs"), nullptr);  // as the selector spells them only
  EXPECT_EQ(FindCostKindItem("Bases"), nullptr);
  EXPECT_EQ(FindCostKindItem(""), nullptr);
}

// The model keeps a cost sum for every kind of the table, and no other.
TEST(CostKindsTest, TheSelectorOffersEveryKindWithAllCardsLast) {
  std::vector<std::string_view> expected;
  for (std::size_t i = 1; i < kCostKindItems.size(); ++i)
    expected.push_back(kCostKindItems[i].item);
  expected.push_back(kCostKindItems[0].item);
  EXPECT_EQ(CostKinds(), expected);
}

TEST(CostKindsTest, EachKindHoldsItsCardTypeAndAllCardsHoldsEveryCard) {
  for (const char type : {'A', 'B', 'E', 'H', 'I', 'P', ' '}) {
    const TCardRecord card = OfType(type);
    EXPECT_TRUE(OfCostKind(card, "All cards")) << type;
    EXPECT_EQ(OfCostKind(card, "Assets"), type == 'A') << type;
    EXPECT_EQ(OfCostKind(card, "Enhancements"), type == 'E') << type;
    EXPECT_EQ(OfCostKind(card, "Interventions"), type == 'I') << type;
    EXPECT_EQ(OfCostKind(card, "Programs"), type == 'P') << type;
    EXPECT_FALSE(OfCostKind(card, "Bases")) << type;
  }
}

TEST(CostKindsTest, EachCardTypeKindIsCountedInTheStatistics) {
  TDeckStats stats;
  stats.AssetAmount = 1;
  stats.EnhanceAmount = 2;
  stats.IntervenAmount = 3;
  stats.ProgAmount = 4;
  EXPECT_EQ(kCostKindItems[0].count, nullptr);
  for (std::size_t i = 1; i < kCostKindItems.size(); ++i) {
    ASSERT_NE(kCostKindItems[i].count, nullptr) << kCostKindItems[i].item;
    EXPECT_EQ(stats.*kCostKindItems[i].count, static_cast<std::int32_t>(i));
  }
}

}  // namespace
}  // namespace quillet
