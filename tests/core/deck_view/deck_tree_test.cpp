// The deck tree over an analysed deck: groups, totals and the names not
// found; the copy-limit mark against the problem list at the limit's edges;
// and every order against a brute-force check.
#include "core/deck_view/deck_tree.h"

#include <gtest/gtest.h>

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
  std::vector<DeckTreeGroup> Tree() const { return BuildDeckTree(view_.Analysis()); }
};

TEST_F(DeckTreeTest, GroupsByTypeWithTotalsAndTheNamesNotFound) {
  ASSERT_TRUE(
      Open("2\tKoan Monk\r\n1\tBion HQ\r\n3\tSalt Flats\r\n1\tNo Such Thing\r\n2\tSutra Worm\r\n"
           "1\tKoan Monk\r\n4\tAsh Sentry\r\n2\tAir Strike\r\n1\tPrayer Beads\r\n"
           "2\tNo Such Thing\r\n1\tGhost Card\r\n"));
  // Each group's title and copies, then its rows: copies, name, cost, domain.
  std::vector<std::string> shown;
  for (const DeckTreeGroup& group : Tree()) {
    shown.push_back(std::string(DeckGroupTitle(group.Kind)) + " " + std::to_string(group.Copies));
    for (const DeckTreeRow& row : group.Rows) {
      shown.push_back("  " + std::to_string(row.Copies) + " " + row.Name + " " +
                      (row.Cost ? std::to_string(*row.Cost) : "-") + " " + row.Domain +
                      (row.Found ? "" : " (not found)"));
    }
  }
  // Two lines of one card make one row; HQs and bases pay no deploy cost.
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "HQ 1", "  1 Bion HQ - Monastery", "Assets 7", "  4 Ash Sentry 1 UN",
                       "  3 Koan Monk 3 ", "Bases 3", "  3 Salt Flats - ", "Enhancements 1",
                       "  1 Prayer Beads 0 Monastery", "Interventions 2", "  2 Air Strike 2 ",
                       "Programs 2", "  2 Sutra Worm 3 ", "Not found 0",
                       "  0 Ghost Card -  (not found)", "  0 No Such Thing -  (not found)"}));
}

class CopyLimitTest : public DeckTreeTest,
                      public ::testing::WithParamInterface<std::pair<std::string, bool>> {};

// The marks are exactly the problem list's copy-limit sentences: the limit
// judges each line, and common bases have none.
TEST_P(CopyLimitTest, MarksWhatTheProblemListNames) {
  ASSERT_TRUE(Open(GetParam().first + "1\tAsh Sentry\r\n"));
  std::vector<std::string> marks;
  for (const DeckTreeGroup& group : Tree()) {
    for (const DeckTreeRow& row : group.Rows) {
      if (!row.LimitProblem.empty()) marks.push_back(row.LimitProblem);
    }
  }
  std::vector<std::string> rules;
  for (const std::string& problem : view_.ProblemBox()) {
    if (problem.starts_with("This deck has more than 4 of '")) rules.push_back(problem);
  }
  EXPECT_EQ(marks, rules);
  EXPECT_EQ(marks.size(), GetParam().second ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Edges, CopyLimitTest,
                         ::testing::Values(std::pair{"4\tKoan Monk\r\n", false},
                                           std::pair{"5\tKoan Monk\r\n", true},
                                           std::pair{"3\tKoan Monk\r\n3\tKoan Monk\r\n", false},
                                           std::pair{"1\tKoan Monk\r\n6\tKoan Monk\r\n", true},
                                           std::pair{"9\tSalt Flats\r\n", false},
                                           std::pair{"5\tHidden Cloister\r\n", true},
                                           std::pair{"5\tBion HQ\r\n", true}));

TEST(DeckTreeSort, OrdersRowsByKeyThenNameWithinEachGroup) {
  std::vector<DeckTreeGroup> tree(2);
  tree[1].Kind = DeckGroupKind::Bases;
  const std::tuple<const char*, std::int64_t, std::optional<std::int64_t>> rows[] = {
      {"b", 2, 1}, {"A", 3, std::nullopt}, {"c", 2, -1}, {"d", 1, 1}, {"e", 3, 0}};
  for (const auto& [name, copies, cost] : rows) {
    tree[0].Rows.push_back(DeckTreeRow{name, copies, cost, "", "", true});
  }
  for (DeckTreeSort key : {DeckTreeSort::Name, DeckTreeSort::Cost, DeckTreeSort::Copies}) {
    for (bool descending : {false, true}) {
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
        const bool namesDown = descending && key == DeckTreeSort::Name;
        EXPECT_TRUE(rank(a) != rank(b)
                        ? (rank(a) > rank(b)) == descending
                        : CardNameBefore(namesDown ? b.Name : a.Name, namesDown ? a.Name : b.Name))
            << a.Name << " before " << b.Name;
      }
    }
  }
}

}  // namespace
}  // namespace quillet::test
