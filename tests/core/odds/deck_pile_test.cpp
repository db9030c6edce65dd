#include "core/odds/deck_pile.h"

#include <gtest/gtest.h>

#include <random>

#include "core/analysis/analysis_fixture.h"
#include "core/analysis/hand_chance.h"
#include "core/odds/draw_odds.h"

namespace quillet {
namespace {

using test::Asset;
using test::Card;
using test::Producer;
using test::WithKeywords;

class DeckPileTest : public test::AnalysisTest {
 protected:
  void SetUp() override {
    Cards({Asset("Brine Lancer", "3", "1", "2", "0", 'U'),
           WithKeywords(Asset("Dusk Herald", "1", "2", "1", "0", 'F'), {Keyword::Topdeck}),
           WithKeywords(Asset("Gutter Pike", "4", "1", "1", "2", 'C'), {Keyword::Launcher}),
           WithKeywords(Asset("Lamp Ferret", "0", "3", "3", "0", 'M'),
                        {Keyword::Topdeck, Keyword::Pilot}),
           WithKeywords(Producer("Salt Depot", 'B', 'U', '2', "3"), {Keyword::Topdeck}),
           Producer("Kiln Yard", 'B', 'F', ' ', " ", '1', "4"),
           WithKeywords(Card("Rust Halo", 'E', 'C'), {Keyword::Gear}),
           WithKeywords(Card("Quiet Fuse", 'I', 'N'), {Keyword::Sabotage, Keyword::Topdeck}),
           Card("Moth Lattice", 'P', 'T'), Producer("Cinder Keep", 'H', 'U', '1', "2")});
  }
};

TEST_F(DeckPileTest, OpeningHandOddsAgreeWithTheWindowsChancesForEveryFigure) {
  // For random decks without negative counts and without a Topdeck HQ, the
  // chance of at least one copy in the opening hand, as a whole percent, is
  // the window's opening-hand chance of the same group; for assets and bases
  // it is 100 minus the "No assets" and "No bases" figures.
  const std::vector<std::string> names = {"Brine Lancer", "Dusk Herald", "Gutter Pike",
                                          "Lamp Ferret",  "Salt Depot",  "Kiln Yard",
                                          "Rust Halo",    "Quiet Fuse",  "Moth Lattice"};
  std::mt19937 random(2024);
  int decks = 0;
  for (int round = 0; round < 60; ++round) {
    std::string deck = "1\tCinder Keep\r\n";
    const int lines = 2 + static_cast<int>(random() % 10);
    for (int i = 0; i < lines; ++i) {
      deck += std::to_string(random() % 6) + "\t" + names[random() % names.size()] + "\r\n";
    }
    ASSERT_TRUE(Open(deck)) << deck;
    view_.SetAssetSwitch(round % 2 == 1);
    const TDeckStats& st = stats();
    if (st.TotalAmount < HandSize) continue;
    ++decks;
    for (const auto& list : DrillDownLists()) {
      const auto group = FigureOddsGroup(view_.Analysis(), list.component);
      ASSERT_TRUE(group);
      ASSERT_EQ(group->Pile, st.TotalAmount);
      ASSERT_EQ(group->TopDeck, st.TopDeckAmount);
      const auto chance = AtLeastChance(*group, HandSize, 1, 100);
      EXPECT_EQ(chance, OpeningHandChance(static_cast<std::int32_t>(group->Copies), st.TotalAmount,
                                          static_cast<std::int32_t>(group->TopDeckCopies),
                                          st.TopDeckAmount))
          << list.component << " in\n"
          << deck;
      if (list.component == "NoAssets") {
        EXPECT_EQ(chance, 100 - st.NoAssets) << deck;
      }
      if (list.component == "NoBases") {
        EXPECT_EQ(chance, 100 - st.NoBases) << deck;
      }
    }
  }
  EXPECT_GT(decks, 30);
}

TEST_F(DeckPileTest, GroupsCountTheCopiesBehindAFigureOrACard) {
  ASSERT_TRUE(
      Open("1\tCinder Keep\n3\tBrine Lancer\n2\tDusk Herald\n4\tGutter Pike\n"
           "1\tDusk Herald\n2\tSalt Depot\n5\tRust Halo\n"));
  const auto assets = FigureOddsGroup(view_.Analysis(), "AssetAmount");
  ASSERT_TRUE(assets);
  EXPECT_EQ(assets->Name, "AssetAmount");
  EXPECT_EQ(assets->Copies, 10);
  EXPECT_EQ(assets->TopDeckCopies, 3);
  EXPECT_EQ(assets->Pile, 17);
  EXPECT_EQ(assets->TopDeck, 5);
  // The domain lists follow the asset switch, as the window's lists do.
  EXPECT_EQ(FigureOddsGroup(view_.Analysis(), "UNAmount")->Copies, 5);
  view_.SetAssetSwitch(true);
  EXPECT_EQ(FigureOddsGroup(view_.Analysis(), "UNAmount")->Copies, 3);
  EXPECT_FALSE(FigureOddsGroup(view_.Analysis(), "NoSuchField"));

  const OddsGroup herald = CardOddsGroup(view_.Analysis(), db_, "Dusk Herald");  // on two lines
  EXPECT_EQ(herald.Copies, 3);
  EXPECT_EQ(herald.TopDeckCopies, 3);
  EXPECT_EQ(CardOddsGroup(view_.Analysis(), db_, "Cinder Keep").Copies,
            0);  // the HQ is not in the pile
  // The exact name only: another spelling is no card of the data file.
  try {
    CardOddsGroup(view_.Analysis(), db_, "dusk herald");
    ADD_FAILURE() << "a name no card has made a group";
  } catch (const OddsError& e) {
    EXPECT_STREQ(e.what(), "No Such Card!");
  }
  EXPECT_EQ(FigureOddsGroup(view_.Analysis(), "HQType")->Copies, 0);
}

TEST_F(DeckPileTest, RefusesNegativeCountsBeforeTheSizeLimit) {
  const auto message = [this](std::string_view deck) -> std::string {
    EXPECT_TRUE(Open(deck));
    try {
      CardOddsGroup(view_.Analysis(), db_, "Brine Lancer");
    } catch (const OddsError& e) {
      return e.what();
    }
    return "no error";
  };
  const std::string negative = "Odds need a deck without negative card counts.";
  const std::string tooLarge = "Odds need a deck of at most 10,000 cards.";
  EXPECT_EQ(message("-1\tCinder Keep\n20\tBrine Lancer\n"), negative);
  EXPECT_EQ(message("20001\tBrine Lancer\n-1\tRust Halo\n"), negative);
  EXPECT_EQ(message("10001\tBrine Lancer\n"), tooLarge);
  EXPECT_EQ(message("9999\tBrine Lancer\n1\tDusk Herald\n5\tCinder Keep\n"), "no error");
  EXPECT_EQ(message("9999\tBrine Lancer\n2\tDusk Herald\n"), tooLarge);
}

}  // namespace
}  // namespace quillet
