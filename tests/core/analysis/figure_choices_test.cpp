// The one table of cost kinds: the selector, the command line, the cost
// sums and the drill-down lists all take their kinds from it.
#include "core/analysis/figure_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  EXPECT_EQ(FindCostKind("Programs"), &CostKindTable()[4]);
  EXPECT_EQ(FindCostKind("programs"), nullptr);  // as the selector spells them only
  EXPECT_EQ(FindCostKind("Bases"), nullptr);
  EXPECT_EQ(FindCostKind(""), nullptr);
}

TEST(CostKindsTest, TheSelectorOffersEveryKindWithAllCardsLast) {
  EXPECT_EQ(CostKinds(), (std::vector<std::string_view>{"Assets", "Enhancements", "Interventions",
                                                        "Programs", "All cards"}));
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
  const auto& kinds = CostKindTable();
  EXPECT_EQ(kinds[0].amount, nullptr);
  for (std::size_t i = 1; i < kinds.size(); ++i) {
    ASSERT_NE(kinds[i].amount, nullptr) << kinds[i].item;
    EXPECT_EQ(stats.*kinds[i].amount, static_cast<std::int32_t>(i));
  }
}

}  // namespace
}  // namespace quillet
