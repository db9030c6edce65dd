#include "core/analysis/hand_chance.h"

#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "core/analysis/checked_math.h"

namespace quillet {
namespace {

struct DrawCase {
  std::int64_t K, N, n;
  std::int32_t chance;
};

class DrawChanceTable : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawChanceTable, GivesTheWholePercentRoundedHalfToEven) {
  const auto& p = GetParam();
  EXPECT_EQ(DrawChance(p.K, p.N, p.n), p.chance) << p.K << " of " << p.N << ", " << p.n;
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, DrawChanceTable,
                         ::testing::Values(DrawCase{10, 40, 8, 92}, DrawCase{5, 40, 8, 69},
                                           DrawCase{4, 40, 8, 61}, DrawCase{1, 40, 8, 20},
                                           DrawCase{20, 60, 8, 97}, DrawCase{20, 40, 8, 100},
                                           DrawCase{3, 40, 8, 50}));

INSTANTIATE_TEST_SUITE_P(
    Edges, DrawChanceTable,
    ::testing::Values(DrawCase{7, 8, 1, 88},   // none 12.5 rounds to 12
                      DrawCase{1, 8, 1, 12},   // none 87.5 rounds to 88
                      DrawCase{1, 9, 8, 89},   // none 1/9
                      DrawCase{0, 7, 8, 100},  // fewer cards than places
                      DrawCase{0, 40, 8, 0}, DrawCase{5, 40, 0, 0}, DrawCase{5, 40, -3, 0},
                      DrawCase{35, 40, 8, 100},  // N - K < n
                      // Exact far beyond 64-bit products: 1 of 10,000 in 8 draws is
                      // 0.08 percent, and an exact half at 9,999 of 10,000 in 1 draw.
                      DrawCase{1, 10000, 8, 0}, DrawCase{9850, 10000, 1, 98},
                      DrawCase{9750, 10000, 1, 98}, DrawCase{9950, 10000, 1, 100},
                      DrawCase{9990, 10000, 20, 100}, DrawCase{3, 100000, 8, 0},
                      // Hands beyond 8 cards, which negative Topdeck counts make, are
                      // exact too: none is 17/8, 212.5 percent, rounded to 212.
                      DrawCase{-1, 16, 9, -112}, DrawCase{-3, 20, 12, -973}, DrawCase{1, 200, 9, 4},
                      DrawCase{1, 200, 11, 6}, DrawCase{1, 4000, 10, 0},
                      DrawCase{5, 40000, 10000, 76}));

TEST(DrawChanceTest, NegativeCountsMayLeaveTheRangeButNeverOverflow) {
  EXPECT_EQ(DrawChance(41, 40, 1), 102);  // none is -2.5 percent, rounded to -2
  EXPECT_THROW(DrawChance(INT32_MAX, 40, 8), OverflowError);
  EXPECT_EQ(DrawChance(INT32_MIN, INT32_MAX, 8), 100 - 25600);  // none is about 2^8
}

TEST(DrawChanceTest, HugeHandsFromNegativeTopdeckCountsCostNoMoreThanSmallOnes) {
  // Half of a pile of two billion drawn: none is exactly one half.
  EXPECT_EQ(DrawChance(1, 2000000000, 1000000000), 50);
  EXPECT_EQ(OpeningHandChance(3, 40, 0, INT32_MIN), 100);  // hand larger than the pile
  TDeckStats stats;
  stats.TotalAmount = INT32_MAX;
  stats.TopDeckAmount = -INT32_MAX;
  EXPECT_EQ(SelectedCardChance(1, test::Asset("Grunt"), stats), 50);
}

TEST(OpeningHandChanceTest, TopdeckCardsAreDealtFirst) {
  // 7 Topdeck cards without the group, then 8 others of which 7 are the group.
  EXPECT_EQ(OpeningHandChance(7, 15, 0, 7), 88);
  EXPECT_EQ(OpeningHandChance(1, 15, 0, 7), 12);
  // Exactly 8 Topdeck cards and none of the group: no place left.
  EXPECT_EQ(OpeningHandChance(10, 40, 0, 8), 0);
  // 9 Topdeck cards, one of the group.
  EXPECT_EQ(OpeningHandChance(5, 40, 1, 9), 89);
  // A group with Topdeck cards among at most 8: always in the hand.
  EXPECT_EQ(OpeningHandChance(5, 40, 2, 6), 100);
}

class SelectedCardTest : public ::testing::Test {
 protected:
  TDeckStats stats_;
  TCardRecord plain_ = test::Asset("Grunt");
  TCardRecord topdeck_ = test::WithKeywords(test::Asset("Scout"), {Keyword::Topdeck});
  TCardRecord hq_ = test::Card("Bion HQ", 'H');
};

TEST_F(SelectedCardTest, UpToEightTopdeckCards) {
  stats_.TotalAmount = 40;
  EXPECT_EQ(SelectedCardChance(3, plain_, stats_), 50);
  EXPECT_EQ(SelectedCardChance(3, topdeck_, stats_), 100);
  EXPECT_EQ(SelectedCardChance(1, hq_, stats_), 100);
  stats_.TopDeckAmount = 8;
  EXPECT_EQ(SelectedCardChance(3, plain_, stats_), 0);
  EXPECT_EQ(SelectedCardChance(1, hq_, stats_), 100);
}

TEST_F(SelectedCardTest, MoreThanEightTopdeckCards) {
  stats_.TotalAmount = 40;
  stats_.TopDeckAmount = 9;
  EXPECT_EQ(SelectedCardChance(1, topdeck_, stats_), 89);
  EXPECT_EQ(SelectedCardChance(3, plain_, stats_), 0);
  EXPECT_EQ(SelectedCardChance(1, hq_, stats_), 0);
}

}  // namespace
}  // namespace quillet
