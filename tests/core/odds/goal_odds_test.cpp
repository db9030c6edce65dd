// Goals against brute force: the exact chance against every arrangement of
// small random piles, a one-condition goal against the draw odds, and the
// fast dealer against the sample hand dealer it must copy card for card.
#include "core/odds/goal_odds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>

#include "core/analysis/analysis_fixture.h"
#include "core/odds/draw_odds.h"
#include "core/odds/goal_deal.h"
#include "core/odds/sample_deal.h"

namespace quillet {
namespace {

// The goal's hits by brute force for every n: every distinct arrangement of
// the top-deck copies followed by every arrangement of the others, all
// equally likely, each condition counted on its own group's copies.
std::vector<std::int64_t> CountMet(const Goal& goal, std::int64_t& total) {
  std::vector<std::uint8_t> top;
  std::vector<std::uint8_t> bottom;
  for (const GoalLine& line : goal.Lines()) {
    (line.TopDeck ? top : bottom)
        .insert((line.TopDeck ? top : bottom).end(), static_cast<std::size_t>(line.Count),
                line.Groups);
  }
  std::vector<std::int64_t> hits(top.size() + bottom.size() + 1, 0);
  total = 0;
  std::sort(top.begin(), top.end());
  do {
    std::sort(bottom.begin(), bottom.end());
    do {
      std::vector<std::uint8_t> deal = top;
      deal.insert(deal.end(), bottom.begin(), bottom.end());
      std::array<std::int32_t, kMostGoalConditions> tally{};
      for (std::size_t n = 0; n <= deal.size(); ++n) {
        if (n > 0) {
          for (std::size_t g = 0; g < kMostGoalConditions; ++g)
            tally.at(g) += (deal[n - 1] >> g) & 1;
        }
        bool met = true;
        for (std::size_t i = 0; i < goal.Conditions().size(); ++i) {
          met = met && tally.at(goal.GroupOf(i)) >= goal.Conditions()[i].AtLeast;
        }
        hits[n] += met ? 1 : 0;
      }
      ++total;
    } while (std::next_permutation(bottom.begin(), bottom.end()));
  } while (std::next_permutation(top.begin(), top.end()));
  return hits;
}

// A random goal over a random pile of at most `most` copies.
Goal RandomGoal(std::mt19937& random, std::int64_t most, std::int32_t biggestK) {
  const std::size_t groups = 1 + random() % kMostGoalConditions;
  std::vector<GoalLine> lines;
  std::int64_t size = 0;
  while (size < most && random() % 8 != 0) {
    const std::int64_t count = std::min<std::int64_t>(random() % 4, most - size);
    lines.push_back(
        {count, random() % 3 == 0, static_cast<std::uint8_t>(random() % (1U << groups))});
    size += count;
  }
  std::vector<GoalCondition> conditions;
  std::vector<std::size_t> groupOf;
  const std::size_t count = 1 + random() % kMostGoalConditions;
  for (std::size_t i = 0; i < count; ++i) {
    const auto k = static_cast<std::int32_t>(1 + random() % static_cast<unsigned>(biggestK));
    groupOf.push_back(random() % groups);
    conditions.push_back({k, {false, "G" + std::to_string(groupOf.back())}});
  }
  return {lines, conditions, groupOf};
}

bool SameFraction(const ExactChance& chance, std::int64_t hits, std::int64_t total) {
  return chance.Met * total == chance.All * hits;
}

TEST(GoalOddsTest, AgreesWithEveryArrangementOfSmallPiles) {
  // Overlapping groups, top-deck copies and repeated groups all arise here.
  std::mt19937 random(7);
  int checked = 0;
  for (int round = 0; round < 400; ++round) {
    const Goal goal = RandomGoal(random, 9, round % 4 == 0 ? kMostGoalCopies : 3);
    std::int64_t total = 0;
    const std::vector<std::int64_t> hits = CountMet(goal, total);
    for (std::int64_t n = 1; n <= goal.PileSize() + 2; ++n) {
      const auto seen = static_cast<std::size_t>(std::min(n, goal.PileSize()));
      ASSERT_TRUE(SameFraction(goal.Exact(n), hits[seen], total))
          << "round " << round << " seen " << n << ": " << goal.Exact(n).Met << "/"
          << goal.Exact(n).All << " against " << hits[seen] << "/" << total;
      const GoalRow row = goal.Row(n);
      ASSERT_EQ(row.Chance, RoundHalfEven(BigInt(hits[seen]) * 1000, BigInt(total)));
      for (std::size_t i = 0; i < goal.Conditions().size(); ++i) {
        const Goal alone(goal.Lines(), {goal.Conditions()[i]}, {goal.GroupOf(i)});
        std::int64_t aloneTotal = 0;
        const auto aloneHits = CountMet(alone, aloneTotal)[seen];
        ASSERT_TRUE(SameFraction(goal.ExactEach(i, n), aloneHits, aloneTotal)) << round;
        ASSERT_EQ(row.Each[i], RoundHalfEven(BigInt(aloneHits) * 1000, BigInt(aloneTotal)));
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(GoalOddsTest, OneConditionIsTheDrawOddsRow) {
  std::mt19937 random(11);
  for (const std::int64_t pile : {std::int64_t{40}, std::int64_t{60}, kMaxPileSize}) {
    for (int round = 0; round < 8; ++round) {
      const std::int64_t topDeck = random() % 12;
      const std::int64_t topCopies = random() % (topDeck + 1);
      const std::int64_t copies = topCopies + random() % (pile / 2);
      const OddsGroup group{"G", copies, topCopies, pile, topDeck};
      const std::vector<GoalLine> lines = {{topCopies, true, 1},
                                           {topDeck - topCopies, true, 0},
                                           {copies - topCopies, false, 1},
                                           {pile - topDeck - copies + topCopies, false, 0}};
      for (std::int32_t k = 1; k <= static_cast<std::int32_t>(kMostCopiesAsked); ++k) {
        const Goal goal(lines, {{k, {true, "G"}}}, {0});
        const OddsGroup described = goal.ConditionGroup(0);
        EXPECT_EQ(described.Copies, copies);
        EXPECT_EQ(described.TopDeckCopies, topCopies);
        const std::vector<GoalRow> rows = goal.Table(1, 24);
        for (const GoalRow& row : rows) {
          const auto expected =
              DrawOddsRow(group, row.Seen).AtLeast.at(static_cast<std::size_t>(k - 1));
          ASSERT_EQ(row.Chance, expected) << pile << " seen " << row.Seen << " k " << k;
          ASSERT_EQ(row.Each, std::vector<std::int32_t>{expected});
        }
      }
    }
  }
}

TEST(GoalOddsTest, WordAndBigNumberCountsAgree) {
  // On 400 cards one row of up to 17 seen is counted in machine words, and
  // the table to 20 seen in big numbers throughout.
  std::mt19937 random(5);
  for (int round = 0; round < 6; ++round) {
    std::vector<GoalLine> lines;
    for (std::uint8_t groups = 0; groups < 16; ++groups) {
      lines.push_back({25, false, groups});
    }
    std::vector<GoalCondition> conditions;
    std::vector<std::size_t> groupOf;
    for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
      conditions.push_back({static_cast<std::int32_t>(1 + random() % 8), {false, "G"}});
      groupOf.push_back(g);
    }
    const Goal goal(lines, conditions, groupOf);
    for (const GoalRow& row : goal.Table(8, 20)) {
      if (row.Seen > 17) continue;
      const GoalRow alone = goal.Row(row.Seen);
      EXPECT_EQ(alone.Chance, row.Chance) << round << " seen " << row.Seen;
      EXPECT_EQ(alone.Each, row.Each) << round << " seen " << row.Seen;
    }
  }
}

TEST(GoalOddsTest, RefusesGoalsOutOfRange) {
  const std::vector<GoalLine> lines = {{5, false, 1}};
  const GoalCondition one{1, {false, "AssetAmount"}};
  EXPECT_NO_THROW(Goal(lines, {one, one, one, {kMostGoalCopies, one.Group}}, {0, 0, 0, 0}));
  EXPECT_THROW(Goal(lines, {one, one, one, one, one}, {0, 0, 0, 0, 0}), std::invalid_argument);
  EXPECT_THROW(Goal(lines, {{0, one.Group}}, {0}), std::invalid_argument);
  EXPECT_THROW(Goal(lines, {{kMostGoalCopies + 1, one.Group}}, {0}), std::invalid_argument);
  EXPECT_THROW(Goal(lines, {one}, {0, 1}), std::invalid_argument);
}

TEST(GoalDealTextTest, CountsWithCommasAndRoundsTheShareAsTheChance) {
  EXPECT_EQ(DealtCheckText(8712, 10000, 872),
            "8,712 of 10,000 dealt hands met the goal (87.1 %); the exact chance is 87.2 %");
  // 1 of 16 is 62.5 per mille, a half that goes to the even 62.
  EXPECT_EQ(DealtCheckText(1, 16, 0),
            "1 of 16 dealt hands met the goal (6.2 %); the exact chance is 0.0 %");
  EXPECT_EQ(DealtCheckText(1234567, 10000000, 1000),
            "1,234,567 of 10,000,000 dealt hands met the goal (12.3 %); the exact chance is "
            "100.0 %");
  EXPECT_EQ(DealtCheckText(4512, 4512, 998, true),
            "4,512 of 4,512 dealt hands so far met the goal (100.0 %); the exact chance is 99.8 %");
}

using test::Asset;
using test::Card;
using test::Producer;
using test::WithKeywords;

class GoalDealTest : public test::AnalysisTest {
 protected:
  void SetUp() override {
    Cards({Asset("Brine Lancer", "3", "1", "2", "0", 'U'),
           WithKeywords(Asset("Dusk Herald", "1", "2", "1", "0", 'F'), {Keyword::Topdeck}),
           WithKeywords(Asset("Gutter Pike", "4", "1", "1", "2", 'C'), {Keyword::Launcher}),
           WithKeywords(Producer("Salt Depot", 'B', 'U', '2', "3"), {Keyword::Topdeck}),
           Producer("Kiln Yard", 'B', 'F', ' ', " ", '1', "4"),
           WithKeywords(Card("Quiet Fuse", 'I', 'N'), {Keyword::Sabotage, Keyword::Topdeck}),
           Card("Moth Lattice", 'P', 'T'), Producer("Cinder Keep", 'H', 'U', '1', "2")});
  }
};

TEST_F(GoalDealTest, DealsTheSampleHandsAndCountsThemInAnySlices) {
  const std::vector<std::string> names = {"Brine Lancer", "Dusk Herald", "Gutter Pike",
                                          "Salt Depot",   "Kiln Yard",   "Quiet Fuse",
                                          "Moth Lattice"};
  const std::vector<GoalGroup> groups = {{false, "AssetAmount"},
                                         {false, "BaseAmount"},
                                         {false, "TopDeckAmount"},
                                         {true, "Gutter Pike"},
                                         {true, "Quiet Fuse"}};
  std::mt19937 random(2026);
  for (int round = 0; round < 25; ++round) {
    std::string deck = "1\tCinder Keep\r\n";
    for (int i = 0, lines = 2 + static_cast<int>(random() % 8); i < lines; ++i) {
      deck += std::to_string(random() % 7) + "\t" + names[random() % names.size()] + "\r\n";
    }
    ASSERT_TRUE(Open(deck)) << deck;
    std::vector<GoalCondition> conditions;
    for (std::size_t i = 0, count = 1 + random() % 4; i < count; ++i) {
      conditions.push_back(
          {static_cast<std::int32_t>(1 + random() % 3), groups[random() % groups.size()]});
    }
    const Goal goal = ResolveGoal(view_.Analysis(), db_, conditions);
    const DeckPile pile = DeckPile::FromAnalysis(view_.Analysis());
    const std::int64_t seen = 1 + random() % 14;
    const GoalDealer dealer(goal, seen);
    const std::uint64_t seed = round == 0 ? ~std::uint64_t{0} - 20 : random();
    std::uint64_t met = 0;
    for (std::uint64_t i = 0; i < 60; ++i) {
      // The plain way: deal the names, then look each seen card up in the
      // groups' own lists of lines.
      const SampleHand hand = DealSampleHand(pile, seed + i, seen - kOpeningHand);
      std::vector<DealtCard> cards = hand.Hand;
      cards.insert(cards.end(), hand.Draws.begin(), hand.Draws.end());
      cards.resize(std::min(cards.size(), static_cast<std::size_t>(seen)));
      bool meets = true;
      for (const GoalCondition& condition : conditions) {
        const std::vector<bool> members =
            condition.Group.IsCard
                ? pile.CardLines(condition.Group.Name)
                : *pile.FigureLines(condition.Group.Name,
                                    {view_.Analysis().stats, false, view_.CostBoxText()});
        std::int32_t copies = 0;
        for (const DealtCard& card : cards) {
          for (std::size_t l = 0; l < pile.Lines().size(); ++l) {
            if (members[l] && pile.Lines()[l].Card.Name.View() == card.Name) {
              ++copies;
              break;
            }
          }
        }
        meets = meets && copies >= condition.AtLeast;
      }
      ASSERT_EQ(dealer.CountMet(seed, i, i + 1), meets ? 1U : 0U) << deck << " trial " << i;
      met += meets ? 1 : 0;
    }
    EXPECT_EQ(dealer.CountMet(seed, 0, 60), met);
    EXPECT_EQ(dealer.CountMet(seed, 0, 17) + dealer.CountMet(seed, 17, 60), met);
  }
}

}  // namespace
}  // namespace quillet
