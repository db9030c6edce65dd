// The deck tree, end to end over an analysed deck: its groups and totals,
// the copy-limit mark against the problem list at the limit's edges, the
// names not found, and the orders a player can sort it by.
#include "core/deck_view/deck_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/analysis/analysis_fixture.h"
#include "core/compare/deck_comparison.h"

namespace quillet::test {
namespace {

class DeckTreeTest : public AnalysisTest {
 protected:
  void SetUp() override {
    Cards({Card("Bion HQ", 'H', 'M', 'R'), WithCosts(Asset("Koan Monk"), "0", "2", "1"),
           Asset("Ash Sentry", "2", "1", "2", "0", 'U'), Card("Salt Flats", 'B'),
           Card("Hidden Cloister", 'B', 'M', 'U'),
           WithCosts(Card("Air Strike", 'I'), "2", "0", "0"), Card("Prayer Beads", 'E', 'M'),
           WithCosts(Card("Sutra Worm", 'P'), "0", "0", "3")});
  }
  std::vector<DeckTreeGroup> Tree() const {
    return BuildDeckTree(session_.deck, model_.MissingCards());
  }
  static std::vector<std::string> Names(const DeckTreeGroup& group) {
    std::vector<std::string> names;
    for (const DeckTreeRow& row : group.Rows) names.push_back(row.Name);
    return names;
  }
};

TEST_F(DeckTreeTest, GroupsByTypeWithTotalsAndTheNamesNotFound) {
  ASSERT_TRUE(
      Open("2\tKoan Monk\r\n1\tBion HQ\r\n3\tSalt Flats\r\n1\tNo Such Thing\r\n2\tSutra Worm\r\n"
           "1\tKoan Monk\r\n4\tAsh Sentry\r\n2\tAir Strike\r\n1\tPrayer Beads\r\n"
           "2\tNo Such Thing\r\n1\tGhost Card\r\n"));
  const auto tree = Tree();
  std::vector<std::string_view> titles;
  std::vector<std::int64_t> copies;
  for (const DeckTreeGroup& group : tree) {
    titles.push_back(DeckGroupTitle(group.Kind));
    copies.push_back(group.Copies);
  }
  EXPECT_EQ(titles, (std::vector<std::string_view>{"HQ", "Assets", "Bases", "Enhancements",
                                                   "Interventions", "Programs", "Not found"}));
  EXPECT_EQ(copies, (std::vector<std::int64_t>{1, 7, 3, 1, 2, 2, 0}));

  // Two lines of one card make one row; rows start in name order.
  EXPECT_EQ(Names(tree[1]), (std::vector<std::string>{"Ash Sentry", "Koan Monk"}));
  const DeckTreeRow& monk = tree[1].Rows[1];
  EXPECT_EQ(monk.Copies, 3);
  EXPECT_EQ(monk.Cost, 3);
  EXPECT_EQ(tree[1].Rows[0].Domain, "UN");
  EXPECT_EQ(tree[0].Rows[0].Domain, "Monastery");
  EXPECT_EQ(tree[2].Rows[0].Domain, "");
  // HQs and bases pay no deploy cost.
  EXPECT_EQ(tree[0].Rows[0].Cost, std::nullopt);
  EXPECT_EQ(tree[2].Rows[0].Cost, std::nullopt);
  EXPECT_EQ(tree[3].Rows[0].Cost, 0);
  EXPECT_EQ(tree[5].Rows[0].Cost, 3);

  // Each name not found once.
  EXPECT_EQ(Names(tree[6]), (std::vector<std::string>{"Ghost Card", "No Such Thing"}));
  EXPECT_FALSE(tree[6].Rows[0].Found);
}

struct LimitCase {
  const char* card;
  int copies;
  bool marked;
};

class CopyLimitTest : public DeckTreeTest, public ::testing::WithParamInterface<LimitCase> {};

// The mark and the problem list agree at the limit's edges: the same cards,
// the same sentences.
TEST_P(CopyLimitTest, MarksExactlyTheCardsTheProblemListNames) {
  const LimitCase& c = GetParam();
  ASSERT_TRUE(Open(std::to_string(c.copies) + "\t" + c.card + "\r\n1\tAsh Sentry\r\n"));
  std::vector<std::string> marks;
  for (const DeckTreeGroup& group : Tree()) {
    for (const DeckTreeRow& row : group.Rows) {
      if (!row.LimitProblem.empty()) marks.push_back(row.LimitProblem);
    }
  }
  std::vector<std::string> rules;
  for (const std::string& problem : model_.ProblemBox()) {
    if (problem.starts_with("This deck has more than 4 of ")) rules.push_back(problem);
  }
  EXPECT_EQ(marks, rules);
  EXPECT_EQ(marks.size(), c.marked ? 1U : 0U);
  if (c.marked) {
    EXPECT_EQ(marks[0], "This deck has more than 4 of '" + std::string(c.card) +
                            "' - It is illegal under normal rules!");
  }
}

INSTANTIATE_TEST_SUITE_P(Edges, CopyLimitTest,
                         ::testing::Values(LimitCase{"Koan Monk", 4, false},
                                           LimitCase{"Koan Monk", 5, true},
                                           LimitCase{"Salt Flats", 9, false},  // a common base
                                           LimitCase{"Hidden Cloister", 5, true},
                                           LimitCase{"Bion HQ", 5, true}));

// A card over the limit in one line is marked even when another of its lines
// is within it; two lines within it are not, whatever their sum.
TEST_F(DeckTreeTest, TheLimitJudgesEachLine) {
  ASSERT_TRUE(Open("3\tKoan Monk\r\n3\tKoan Monk\r\n1\tAsh Sentry\r\n6\tAsh Sentry\r\n"));
  const auto tree = Tree();
  ASSERT_EQ(tree.size(), 1U);
  EXPECT_EQ(tree[0].Rows[0].Name, "Ash Sentry");
  EXPECT_FALSE(tree[0].Rows[0].LimitProblem.empty());
  EXPECT_EQ(tree[0].Rows[1].Copies, 6);
  EXPECT_TRUE(tree[0].Rows[1].LimitProblem.empty());
}

TEST_F(DeckTreeTest, AFailedAnalysisLeavesNoTree) {
  EXPECT_FALSE(Open("x\tKoan Monk\r\n"));
  EXPECT_TRUE(Tree().empty());
}

// Every order against a brute-force model: the key, then the name.
TEST(DeckTreeSort, OrdersRowsByKeyThenNameWithinEachGroup) {
  DeckTreeGroup group;
  group.Kind = DeckGroupKind::Assets;
  const struct {
    const char* name;
    std::int64_t copies;
    std::optional<std::int64_t> cost;
  } rows[] = {{"b", 2, 1}, {"A", 3, std::nullopt}, {"c", 2, -1}, {"d", 1, 1}, {"e", 3, 0}};
  for (const auto& r : rows) {
    DeckTreeRow row;
    row.Name = r.name;
    row.Copies = r.copies;
    row.Cost = r.cost;
    group.Rows.push_back(row);
  }
  for (DeckTreeSort key : {DeckTreeSort::Name, DeckTreeSort::Cost, DeckTreeSort::Copies}) {
    for (bool descending : {false, true}) {
      std::vector<DeckTreeGroup> tree{group, DeckTreeGroup{}};
      tree[1].Kind = DeckGroupKind::Bases;
      SortDeckTree(tree, key, descending);
      EXPECT_EQ(tree[1].Kind, DeckGroupKind::Bases);
      const auto rank = [key](const DeckTreeRow& row) {
        return key == DeckTreeSort::Copies ? row.Copies
               : key == DeckTreeSort::Cost ? row.Cost.value_or(-1000)
                                           : 0;
      };
      for (std::size_t i = 1; i < tree[0].Rows.size(); ++i) {
        const DeckTreeRow& a = tree[0].Rows[i - 1];
        const DeckTreeRow& b = tree[0].Rows[i];
        if (rank(a) == rank(b)) {
          const bool nameOrder = descending && key == DeckTreeSort::Name
                                     ? CardNameBefore(b.Name, a.Name)
                                     : CardNameBefore(a.Name, b.Name);
          EXPECT_TRUE(nameOrder) << a.Name << " before " << b.Name;
        } else {
          EXPECT_EQ(rank(a) > rank(b), descending) << a.Name << " before " << b.Name;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillet::test
