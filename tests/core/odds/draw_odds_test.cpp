#include "core/odds/draw_odds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/analysis/exact_ratio.h"

namespace quillet {
namespace {

OddsGroup MakeGroup(std::int64_t copies, std::int64_t topCopies, std::int64_t pile,
                    std::int64_t topDeck) {
  return {"Group", copies, topCopies, pile, topDeck};
}

// The odds by brute force: every distinct arrangement of the top part (group
// copies marked 1) followed by every arrangement of the bottom part, all
// equally likely, and the group copies among the first n counted directly.
std::array<std::int64_t, 4> CountAtLeast(const OddsGroup& g, std::int64_t n, std::int64_t& total) {
  std::vector<int> top(static_cast<std::size_t>(g.TopDeck), 0);
  std::fill_n(top.begin(), g.TopDeckCopies, 1);
  std::vector<int> bottom(static_cast<std::size_t>(g.Pile - g.TopDeck), 0);
  std::fill_n(bottom.begin(), g.Copies - g.TopDeckCopies, 1);
  std::sort(top.begin(), top.end());
  std::array<std::int64_t, 4> hits{};
  total = 0;
  do {
    std::sort(bottom.begin(), bottom.end());
    do {
      std::vector<int> pile = top;
      pile.insert(pile.end(), bottom.begin(), bottom.end());
      const auto seen = std::min<std::size_t>(static_cast<std::size_t>(n), pile.size());
      const auto x = std::count(pile.begin(), pile.begin() + static_cast<std::ptrdiff_t>(seen), 1);
      for (int k = 1; k <= 4; ++k) hits[static_cast<std::size_t>(k - 1)] += x >= k ? 1 : 0;
      ++total;
    } while (std::next_permutation(bottom.begin(), bottom.end()));
  } while (std::next_permutation(top.begin(), top.end()));
  return hits;
}

TEST(DrawOddsTest, AgreesWithEveryArrangementOfSmallPiles) {
  int checked = 0;
  for (std::int64_t pile = 0; pile <= 9; ++pile) {
    for (std::int64_t top = 0; top <= pile; ++top) {
      for (std::int64_t gt = 0; gt <= top; ++gt) {
        for (std::int64_t gb = 0; gb <= pile - top; ++gb) {
          const OddsGroup g = MakeGroup(gt + gb, gt, pile, top);
          for (std::int64_t n = 1; n <= pile + 1; ++n) {
            std::int64_t total = 0;
            const auto hits = CountAtLeast(g, n, total);
            const OddsRow row = DrawOddsRow(g, n);
            for (std::size_t k = 0; k < 4; ++k) {
              const auto expected = RoundHalfEven(BigInt(hits[k]) * 1000, BigInt(total));
              ASSERT_EQ(row.AtLeast[k], expected)
                  << "pile " << pile << " top " << top << " group " << gt << "+" << gb << " seen "
                  << n << " k " << k + 1;
            }
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(DrawOddsTest, HalvesOfAPerMilleGoToTheEvenNeighbour) {
  // One copy in 2,000 cards: n cards seen hold it with chance n/2000, which
  // is n/2 per mille, a half for every odd n.
  const OddsGroup g = MakeGroup(1, 0, 2000, 0);
  EXPECT_EQ(DrawOddsRow(g, 1).AtLeast[0], 0);
  EXPECT_EQ(DrawOddsRow(g, 3).AtLeast[0], 2);
  EXPECT_EQ(DrawOddsRow(g, 5).AtLeast[0], 2);
  EXPECT_EQ(DrawOddsRow(g, 7).AtLeast[0], 4);
  // The same with a top-deck group copy among 4,000 top-deck cards.
  EXPECT_EQ(DrawOddsRow(MakeGroup(3, 1, 4100, 4000), 10).AtLeast[0], 2);  // 2.5 per mille
}

TEST(DrawOddsTest, LargePilesStayExactAndOrdered) {
  // Ten thousand cards, some top-deck: every row grows with the cards seen
  // and falls with the copies asked, and agrees with floating point within
  // its rounding.
  std::mt19937_64 random(7);
  for (int round = 0; round < 20; ++round) {
    const std::int64_t pile = 10000;
    const std::int64_t top = static_cast<std::int64_t>(random() % 30);
    const std::int64_t gt = top == 0 ? 0 : static_cast<std::int64_t>(random() % (top + 1));
    const std::int64_t gb = static_cast<std::int64_t>(random() % 3000);
    const OddsGroup g = MakeGroup(gt + gb, gt, pile, top);
    const auto rows = DrawOddsTable(g);
    ASSERT_EQ(rows.size(), 13u);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (std::size_t k = 0; k < 4; ++k) {
        if (r > 0) {
          EXPECT_GE(rows[r].AtLeast[k], rows[r - 1].AtLeast[k]);
        }
        if (k > 0) {
          EXPECT_LE(rows[r].AtLeast[k], rows[r].AtLeast[k - 1]);
        }
      }
    }
    if (top < kOpeningHand) {
      // The first draw from the others: one copy at least, by the chance of none.
      const std::int64_t drawn = kOpeningHand - top;
      long double none = 1;
      for (std::int64_t i = 0; i < drawn; ++i) {
        none *= static_cast<long double>(pile - top - gb - i) /
                static_cast<long double>(pile - top - i);
      }
      const long double expected = gt >= 1 ? 1000 : (1 - none) * 1000;
      EXPECT_NEAR(rows[0].AtLeast[0], expected, 0.5000001L);
    }
  }
}

TEST(DrawOddsTest, SeeingThePileOrMoreSeesEveryCopy) {
  const OddsGroup g = MakeGroup(3, 1, 12, 2);
  for (std::int64_t n : {12, 13, 400}) {
    EXPECT_EQ(DrawOddsRow(g, n).AtLeast, (std::array<std::int32_t, 4>{1000, 1000, 1000, 0}));
  }
  EXPECT_EQ(DrawOddsRow(MakeGroup(0, 0, 0, 0), 8).AtLeast, (std::array<std::int32_t, 4>{}));
}

TEST(DrawOddsTest, TextAndCaptions) {
  EXPECT_EQ(PerMilleText(872), "87.2");
  EXPECT_EQ(PerMilleText(1000), "100.0");
  EXPECT_EQ(PerMilleText(5), "0.5");
  EXPECT_EQ(PerMilleText(0), "0.0");
  EXPECT_EQ(OddsRowCaption(8), "Opening hand (8)");
  EXPECT_EQ(OddsRowCaption(9), "+1 draw (9)");
  EXPECT_EQ(OddsRowCaption(20), "+12 draws (20)");
}

struct RoundCase {
  std::int64_t num, den, rounded;
};

class RoundHalfEvenTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTable, RoundsTheExactFraction) {
  const auto& p = GetParam();
  EXPECT_EQ(RoundHalfEven(p.num, p.den), p.rounded) << p.num << "/" << p.den;
}

INSTANTIATE_TEST_SUITE_P(Edges, RoundHalfEvenTable,
                         ::testing::Values(RoundCase{8725, 10, 872}, RoundCase{8735, 10, 874},
                                           RoundCase{8726, 10, 873}, RoundCase{-2125, 10, -212},
                                           RoundCase{-2135, 10, -214}, RoundCase{-2126, 10, -213},
                                           RoundCase{1, 3, 0}, RoundCase{2, 3, 1},
                                           RoundCase{0, 7, 0}, RoundCase{-1, 3, 0}));

}  // namespace
}  // namespace quillet
