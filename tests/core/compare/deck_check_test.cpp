// The deck check: the legality rule at its edges as a table, then end to end
// over the sample decks (a database built from samples/cards.txt).
#include "core/compare/deck_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "cli/deck_cli_support.h"
#include "core/analysis/analysis_fixture.h"

namespace quillet::test {
namespace {

TEST(IllegalProblem, OnlyTheRuleBreachesCount) {
  EXPECT_TRUE(
      IsIllegalProblem("This deck has less than 40 cards - It is illegal under normal rules!"));
  EXPECT_TRUE(IsIllegalProblem(
      "This deck has more than 4 of 'Ash Sentry' - It is illegal under normal rules!"));
  EXPECT_FALSE(IsIllegalProblem("This deck has no AntiTerrorism assets!"));
  EXPECT_FALSE(IsIllegalProblem("It is illegal under normal rules! Or is it?"));
  EXPECT_FALSE(IsIllegalProblem(""));
}

struct CheckCase {
  const char* what;
  std::string deck;
  bool legal;  // strictly, every one of these decks fails: each has advice
  std::vector<std::string> missing;
};

class DeckCheckTest : public AnalysisTest, public ::testing::WithParamInterface<CheckCase> {};

// Eight assets of four copies and two bases: 40 cards, none over the limit.
std::string Deck(int saltFlats, int tidePools, const std::string& more = "") {
  std::string deck;
  for (char letter = 'A'; letter <= 'H'; ++letter)
    deck += "4\tDrone " + std::string(1, letter) + "\r\n";
  return deck + std::to_string(saltFlats) + "\tSalt Flats\r\n" + std::to_string(tidePools) +
         "\tTide Pools\r\n" + more;
}

TEST_P(DeckCheckTest, LegalityRule) {
  std::vector<TCardRecord> cards;
  for (char letter = 'A'; letter <= 'H'; ++letter) {
    cards.push_back(Asset("Drone " + std::string(1, letter), "5", "3", "6"));
  }
  cards.push_back(Producer("Salt Flats", 'B', ' ', '2', "**"));  // a common base
  TCardRecord pools = Producer("Tide Pools", 'B', ' ', '2', "**");
  pools.Rarity = 'U';
  cards.push_back(pools);
  Cards(cards);
  const CheckCase& c = GetParam();
  ASSERT_TRUE(Open(c.deck));
  const DeckCheck normal = CheckDeck(view_.Analysis(), /*strict=*/false);
  const DeckCheck strict = CheckDeck(view_.Analysis(), /*strict=*/true);
  EXPECT_EQ(normal.FileName, dir_.File("deck.txt"));
  EXPECT_EQ(normal.Problems, view_.ProblemBox());
  EXPECT_FALSE(normal.Problems.empty());
  EXPECT_EQ(normal.Missing, c.missing);
  EXPECT_EQ(normal.Legal, c.legal) << ::testing::PrintToString(normal.Problems);
  EXPECT_FALSE(strict.Legal) << ::testing::PrintToString(strict.Problems);
}

INSTANTIATE_TEST_SUITE_P(
    Decks, DeckCheckTest,
    // The copy limit is the problem list's, which reads it line by line.
    ::testing::Values(CheckCase{"advice only", Deck(4, 4), true, {}},
                      CheckCase{"39 cards", Deck(4, 3), false, {}},
                      CheckCase{"5 copies of an uncommon base", Deck(3, 5), false, {}},
                      CheckCase{"6 copies of a common base", Deck(6, 2), true, {}},
                      CheckCase{"5 copies on one line", Deck(4, 4, "5\tDrone C\r\n"), false, {}},
                      CheckCase{"5 copies over two lines", Deck(4, 4, "1\tDrone C\r\n"), true, {}},
                      CheckCase{"a missing card, twice",
                                Deck(4, 4, "1\tGhost Line\r\n1\tGhost Line\r\n"),
                                false,
                                {"Ghost Line"}}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

// End to end over the sample data, as a script would check them. (The
// comparison of the samples is checked end to end by the window's test.)
class SampleDeckCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    data_ = new TempDir;
    const auto built = cli::test::RunCommand("build", {kSamples + "cards.txt"}, data_->path());
    ASSERT_EQ(built.code, 0) << built.err;
  }
  static void TearDownTestSuite() {
    delete data_;
    data_ = nullptr;
  }
  // Analyses the sample deck into side `side`.
  MainView& Open(int side, const std::string& deck) {
    model_[side].Show(AnalyzeInView(kSamples + "decks/" + deck, model_[side], db_[side]));
    EXPECT_FALSE(model_[side].DName().empty()) << deck;
    return model_[side];
  }

  static inline const std::string kSamples = std::string(QUILLET_SOURCE_DIR) + "/samples/";
  static inline TempDir* data_ = nullptr;
  CardDatabase db_[2] = {CardDatabase(data_->path()), CardDatabase(data_->path())};
  MainView model_[2];
};

TEST_F(SampleDeckCheck, SampleDecksAsAScriptSeesThem) {
  struct Expected {
    std::string deck;
    bool legal, strictLegal;
  };
  for (const Expected& e :
       {Expected{"monastery-bion.txt", true, true}, Expected{"topdeck-heavy.txt", true, false},
        Expected{"fus-illegal.txt", false, false},
        Expected{"corporate-missing-cards.txt", false, false},
        Expected{"monastery-bion-v2.txt", false, false}}) {
    const MainView& model = Open(0, e.deck);
    EXPECT_EQ(CheckDeck(model.Analysis(), false).Legal, e.legal) << e.deck;
    EXPECT_EQ(CheckDeck(model.Analysis(), true).Legal, e.strictLegal) << e.deck;
  }
  EXPECT_EQ(CheckDeck(Open(0, "corporate-missing-cards.txt").Analysis(), false).Missing,
            (std::vector<std::string>{"harness bull", "Phantom Courier"}));
}

}  // namespace
}  // namespace quillet::test
