// The comparison of two decks, checked against a brute-force model over
// random deck pairs analysed for real, plus the cases a player would check by
// hand: the name order with upper-case and accented names, the cards not
// found, the switches the figures are compared under, repeated problems.
#include "core/compare/deck_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "core/analysis/analysis_fixture.h"

namespace quillet::test {
namespace {

std::string Lowered(std::string_view name) {
  std::string lowered(name);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

// Deck lines as (count, name).
using Lines = std::vector<std::pair<int, std::string>>;

std::string DeckBytes(const Lines& lines) {
  std::string bytes;
  for (const auto& [count, name] : lines) bytes += std::to_string(count) + "\t" + name + "\r\n";
  return bytes;
}

class DeckComparisonTest : public ::testing::Test {
 protected:
  DeckComparisonTest() {
    WriteCardStat(dir_, {
                            Asset("Ash Sentry", "4", "1", "2", "0", 'M'),
                            Asset("Zen Warden", "2", "3", "6", "0", 'M'),
                            Asset("ZX Relay", "5", "1", "2", "2", 'U'),
                            Asset("\xC9"
                                  "clat Drone",
                                  "3", "2", "7", "0", 'M'),
                            Asset("Ebon Drone", "1", "1", "1", "0", 'F'),
                            Producer("Salt Flats", 'B', 'M', '2', "5"),
                            WithCosts(Card("Quiet Hour", 'I', 'M'), "2", "0", "0"),
                            WithCosts(Card("Patch Worm", 'P', 'U'), "0", "0", "1"),
                        });
  }

  // Analyses `lines` as deck `file` in the model of side `side` (0 or 1).
  void Open(int side, const Lines& lines, const std::string& file) {
    model_[side].Show(AnalyzeInView(dir_.Write(file, DeckBytes(lines)), model_[side], db_[side]));
    ASSERT_FALSE(model_[side].DName().empty()) << DeckBytes(lines);
  }
  void Switches(bool assetsOnly, const std::string& costKind) {
    for (auto& model : model_) {
      model.SetAssetSwitch(assetsOnly);
      model.SelectCostKind(costKind);
    }
  }
  DeckComparison Compare() const {
    return CompareDecks(model_[0].Analysis(), model_[1].Analysis());
  }

  const std::vector<std::string> cardNames_ = {"Ash Sentry",
                                               "Zen Warden",
                                               "ZX Relay",
                                               "\xC9"
                                               "clat Drone",
                                               "Ebon Drone",
                                               "Salt Flats",
                                               "Quiet Hour",
                                               "Patch Worm"};
  TempDir dir_;
  CardDatabase db_[2] = {CardDatabase(dir_.path()), CardDatabase(dir_.path())};
  MainView model_[2];
};

// The brute-force model: copies per name from the raw lines, kept when the
// name is a card; the card order as a tuple sort.
std::vector<CardCopiesChange> ExpectedCards(const Lines& a, const Lines& b,
                                            const std::vector<std::string>& cards) {
  std::set<std::string> names;
  for (const auto* lines : {&a, &b}) {
    for (const auto& line : *lines) {
      if (std::find(cards.begin(), cards.end(), line.second) != cards.end()) {
        names.insert(line.second);
      }
    }
  }
  auto copies = [](const Lines& lines, const std::string& name) {
    std::int64_t sum = 0;
    for (const auto& line : lines) sum += line.second == name ? line.first : 0;
    return sum;
  };
  std::vector<CardCopiesChange> expected;
  for (const auto& name : names) {
    if (copies(a, name) != copies(b, name))
      expected.push_back({name, copies(a, name), copies(b, name)});
  }
  std::sort(expected.begin(), expected.end(), [](const auto& x, const auto& y) {
    return std::make_tuple(Lowered(x.Name), x.Name) < std::make_tuple(Lowered(y.Name), y.Name);
  });
  return expected;
}

std::vector<std::string> ExpectedMissing(const Lines& lines,
                                         const std::vector<std::string>& cards) {
  std::vector<std::string> missing;
  for (const auto& line : lines) {
    if (std::find(cards.begin(), cards.end(), line.second) == cards.end() &&
        std::find(missing.begin(), missing.end(), line.second) == missing.end()) {
      missing.push_back(line.second);
    }
  }
  return missing;
}

// `only` holds each sentence max(0, k - m) times and keeps the order of `mine`.
void ExpectOnlyIn(const std::vector<std::string>& only, const std::vector<std::string>& mine,
                  const std::vector<std::string>& other) {
  std::set<std::string> sentences(mine.begin(), mine.end());
  sentences.insert(other.begin(), other.end());
  for (const auto& s : sentences) {
    const auto k = std::count(mine.begin(), mine.end(), s);
    const auto m = std::count(other.begin(), other.end(), s);
    EXPECT_EQ(std::count(only.begin(), only.end(), s), std::max<std::ptrdiff_t>(0, k - m)) << s;
  }
  auto next = mine.begin();
  for (const auto& s : only) {
    next = std::find(next, mine.end(), s);
    ASSERT_NE(next, mine.end()) << "out of the deck's order: " << s;
    ++next;
  }
}

TEST_F(DeckComparisonTest, RandomDeckPairsAgreeWithBruteForce) {
  std::mt19937 random(20240611);
  std::vector<std::string> pool = cardNames_;
  pool.push_back("Ghost Line");  // not a card
  pool.push_back("ash sentry");  // a card's name in the wrong case: not found
  const std::vector<std::string> kinds = {"All cards", "Assets", "Interventions", "Programs"};
  auto randomDeck = [&] {
    Lines lines;
    const int count = std::uniform_int_distribution<int>(6, 14)(random);
    for (int i = 0; i < count; ++i) {
      lines.emplace_back(
          std::uniform_int_distribution<int>(1, 6)(random),
          pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)]);
    }
    return lines;
  };
  int withCards = 0, withFields = 0, withProblems = 0;
  for (int round = 0; round < 60; ++round) {
    const Lines a = randomDeck();
    const Lines b = round % 7 == 0 ? a : randomDeck();
    Open(0, a, "a.txt");
    Open(1, b, "b.txt");
    if (HasFatalFailure()) return;
    Switches(round % 2 == 1, kinds[static_cast<std::size_t>(round) % kinds.size()]);

    const DeckComparison c = Compare();
    SCOPED_TRACE(DeckBytes(a) + "--\n" + DeckBytes(b));
    EXPECT_EQ(c.A, dir_.File("a.txt"));
    EXPECT_EQ(c.B, dir_.File("b.txt"));
    EXPECT_EQ(c.Cards, ExpectedCards(a, b, cardNames_));
    EXPECT_EQ(c.MissingA, ExpectedMissing(a, cardNames_));
    EXPECT_EQ(c.MissingB, ExpectedMissing(b, cardNames_));
    ExpectOnlyIn(c.ProblemsOnlyA, model_[0].ProblemBox(), model_[1].ProblemBox());
    ExpectOnlyIn(c.ProblemsOnlyB, model_[1].ProblemBox(), model_[0].ProblemBox());

    // Exactly the differing figures, in window order, under the switches.
    std::size_t next = 0;
    for (const auto& field : MasterFields()) {
      const auto valueA = model_[0].FieldValue(field.name);
      const auto valueB = model_[1].FieldValue(field.name);
      if (valueA == valueB || field.name == "SelectCard") continue;
      ASSERT_LT(next, c.Fields.size()) << field.name;
      EXPECT_EQ(c.Fields[next].Field, field.name);
      EXPECT_EQ(c.Fields[next].A, valueA);
      EXPECT_EQ(c.Fields[next].B, valueB);
      EXPECT_FALSE(c.Fields[next].Caption.empty()) << field.name;
      ++next;
    }
    EXPECT_EQ(next, c.Fields.size());

    // Comparing the other way round mirrors every part.
    const DeckComparison back = CompareDecks(model_[1].Analysis(), model_[0].Analysis());
    ASSERT_EQ(back.Cards.size(), c.Cards.size());
    for (std::size_t i = 0; i < c.Cards.size(); ++i) {
      EXPECT_EQ(back.Cards[i].A, c.Cards[i].B);
      EXPECT_EQ(back.Cards[i].B, c.Cards[i].A);
    }
    EXPECT_EQ(back.ProblemsOnlyA, c.ProblemsOnlyB);
    EXPECT_EQ(back.Fields.size(), c.Fields.size());

    if (a == b) {
      EXPECT_TRUE(c.Cards.empty() && c.Fields.empty() && c.ProblemsOnlyA.empty() &&
                  c.ProblemsOnlyB.empty());
    }
    withCards += !c.Cards.empty();
    withFields += !c.Fields.empty();
    withProblems += !c.ProblemsOnlyA.empty() || !c.ProblemsOnlyB.empty();
  }
  // The random pairs must reach every part, or the property says little.
  EXPECT_GT(withCards, 20);
  EXPECT_GT(withFields, 20);
  EXPECT_GT(withProblems, 10);
}

TEST_F(DeckComparisonTest, CardsAreInTheDatabaseOrderWithMissingCardsApart) {
  Open(0, {{2, "ZX Relay"}, {1, "Zen Warden"}, {3, "Ghost Line"}, {1, "Ash Sentry"}}, "a.txt");
  Open(1,
       {{1,
         "\xC9"
         "clat Drone"},
        {2, "Zen Warden"},
        {1, "ash sentry"},
        {2, "Ash Sentry"},
        {1, "Ghost Line"},
        {1, "ash sentry"},
        {3, "Ash Sentry"}},
       "b.txt");
  const DeckComparison c = Compare();
  // A-Z lower-cased: "zen" < "zx"; 0xC9 sorts after every ASCII letter.
  const std::vector<CardCopiesChange> expected = {{"Ash Sentry", 1, 5},
                                                  {"Zen Warden", 1, 2},
                                                  {"ZX Relay", 2, 0},
                                                  {"\xC9"
                                                   "clat Drone",
                                                   0, 1}};
  EXPECT_EQ(c.Cards, expected);
  EXPECT_EQ(c.MissingA, std::vector<std::string>{"Ghost Line"});
  EXPECT_EQ(c.MissingB, (std::vector<std::string>{"ash sentry", "Ghost Line"}));
}

TEST_F(DeckComparisonTest, FiguresFollowTheSwitches) {
  // Two Monastery interventions more in A: the Monastery count differs for
  // all cards but not for assets only, and the Military deployment cost
  // differs for interventions but not for assets.
  Open(0, {{3, "Ash Sentry"}, {3, "Quiet Hour"}, {4, "Salt Flats"}}, "a.txt");
  Open(1, {{3, "Ash Sentry"}, {1, "Quiet Hour"}, {4, "Salt Flats"}}, "b.txt");
  auto has = [](const DeckComparison& c, std::string_view field) {
    return std::any_of(c.Fields.begin(), c.Fields.end(),
                       [&](const FieldChange& f) { return f.Field == field; });
  };
  Switches(false, "Interventions");
  DeckComparison c = Compare();
  EXPECT_TRUE(has(c, "MonasAmount"));
  ASSERT_TRUE(has(c, "MilCost"));
  const auto cost = std::find_if(c.Fields.begin(), c.Fields.end(),
                                 [](const FieldChange& f) { return f.Field == "MilCost"; });
  EXPECT_EQ(cost->A, 6);
  EXPECT_EQ(cost->B, 2);
  EXPECT_EQ(cost->Caption, "Military deployment cost:");
  Switches(true, "Assets");
  c = Compare();
  EXPECT_FALSE(has(c, "MonasAmount"));
  EXPECT_FALSE(has(c, "MilCost"));
  EXPECT_TRUE(has(c, "IntervenAmount"));
}

TEST(ProblemsOnlyIn, RepeatedSentencesCountAsAMultiset) {
  std::mt19937 random(7);
  const std::vector<std::string> words = {"p", "q", "r", "s"};
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> mine, other;
    for (auto* list : {&mine, &other}) {
      const int size = std::uniform_int_distribution<int>(0, 6)(random);
      for (int i = 0; i < size; ++i) list->push_back(words[random() % words.size()]);
    }
    ExpectOnlyIn(ProblemsOnlyIn(mine, other), mine, other);
  }
  // The occurrences beyond the other deck's are the later ones.
  EXPECT_EQ(ProblemsOnlyIn({"p", "q", "p", "r"}, {"p"}), (std::vector<std::string>{"q", "p", "r"}));
}

}  // namespace
}  // namespace quillet::test
