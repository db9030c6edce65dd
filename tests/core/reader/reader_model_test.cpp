#include "core/reader/reader_model.h"

#include <gtest/gtest.h>

#include "core/card_data/card_words.h"
#include "core/card_data/io_error.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using test::MakeCard;
using test::RecordsBytes;

struct RecordingHost : ReaderHost {
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

class ReaderModelTest : public ::testing::Test {
 protected:
  void WriteCards(const std::vector<TCardRecord>& cards) {
    dir_.Write("CardStat.Dat", RecordsBytes(cards));
  }
  void WriteStandardDeck() {
    // Not in name order on purpose: the reader walks the file order.
    WriteCards({MakeCard("Wirehead Jones"), MakeCard("Bion HQ", 'H'), MakeCard("Harness Bull"),
                MakeCard("bionic Arm", 'E'), MakeCard("Zeta Relay", 'P')});
    dir_.Write("CardText.Dat", "");
  }
  const std::string& Shown() const { return model_.view().CardName; }

  test::TempDir dir_;
  CardDatabase db_{dir_.path()};
  std::string selected_;
  RecordingHost host_;
  ReaderModel model_{db_, selected_, host_};
};

TEST_F(ReaderModelTest, OpensOnTheFirstCardWithoutAName) {
  WriteStandardDeck();
  model_.FormActivate();
  EXPECT_EQ(Shown(), "Wirehead Jones");
  EXPECT_EQ(db_.CurrentCardIndex, 0);
}

TEST_F(ReaderModelTest, OpensOnTheNamedCardOrTheLastWhenNoCardHasTheName) {
  WriteStandardDeck();
  selected_ = "Harness Bull";
  model_.FormActivate();
  EXPECT_EQ(Shown(), "Harness Bull");
  EXPECT_EQ(db_.CurrentCardIndex, 2);

  selected_ = "Zeta Relay";
  model_.FormActivate();
  EXPECT_EQ(Shown(), "Zeta Relay");
  EXPECT_EQ(db_.CurrentCardIndex, 4);

  selected_ = "harness bull";  // the opening match is exact
  model_.FormActivate();
  EXPECT_EQ(Shown(), "Zeta Relay");
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(ReaderModelTest, StepsThroughTheFileAndStopsAtBothEnds) {
  WriteStandardDeck();
  model_.FormActivate();
  model_.PreviousButtonClick();
  ASSERT_EQ(host_.messages, std::vector<std::string>{"This is the first card!"});
  EXPECT_EQ(Shown(), "Wirehead Jones");
  EXPECT_EQ(db_.CurrentCardIndex, 0);

  model_.NextButtonClick();
  EXPECT_EQ(Shown(), "Bion HQ");
  model_.LastButtonClick();
  EXPECT_EQ(Shown(), "Zeta Relay");
  model_.NextButtonClick();
  EXPECT_EQ(host_.messages.back(), "This is the last card!");
  EXPECT_EQ(Shown(), "Zeta Relay");
  EXPECT_EQ(db_.CurrentCardIndex, 4);

  model_.PreviousButtonClick();
  EXPECT_EQ(Shown(), "bionic Arm");
  model_.FirstButtonClick();
  EXPECT_EQ(Shown(), "Wirehead Jones");
  EXPECT_EQ(host_.messages.size(), 2u);
}

TEST_F(ReaderModelTest, ActivationShowsTheRequestedCardAgainNotTheOneSteppedTo) {
  WriteStandardDeck();
  selected_ = "Bion HQ";
  model_.FormActivate();
  model_.NextButtonClick();
  // The main window looks cards up in between and moves the shared index.
  db_.LookupCard("Wirehead Jones");
  model_.FormActivate();
  EXPECT_EQ(Shown(), "Bion HQ");
  model_.NextButtonClick();
  EXPECT_EQ(Shown(), "Harness Bull");
}

TEST_F(ReaderModelTest, DoneHandsTheShownNameBack) {
  WriteStandardDeck();
  model_.FormActivate();
  model_.LastButtonClick();
  EXPECT_EQ(model_.DoneButtonClick(), "Zeta Relay");
  EXPECT_EQ(selected_, "Zeta Relay");
  model_.FirstButtonClick();
  model_.FormActivate();  // reopened later without a new request
  EXPECT_EQ(Shown(), "Zeta Relay");
}

TEST_F(ReaderModelTest, AMissingOrEmptyCardFileFailsWithItsIoText) {
  try {
    model_.FormActivate();
    FAIL();
  } catch (const IoError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  WriteCards({});
  try {
    model_.FormActivate();
    FAIL();
  } catch (const IoError& e) {
    EXPECT_STREQ(e.what(), "Read beyond end of file");
  }
}

struct SearchCase {
  const char* text;
  const char* expected;  // nullptr: "No Such Card!"
};

class ReaderSearchTest : public ReaderModelTest,
                         public ::testing::WithParamInterface<SearchCase> {};

TEST_P(ReaderSearchTest, FindsTheFirstNameBeginningWithTheText) {
  WriteStandardDeck();
  model_.FormActivate();
  model_.NextButtonClick();
  model_.NextButtonClick();  // on "Harness Bull", record 2
  model_.SearchButtonClick(GetParam().text);
  if (GetParam().expected) {
    EXPECT_EQ(Shown(), GetParam().expected);
    EXPECT_TRUE(host_.messages.empty());
  } else {
    EXPECT_EQ(host_.messages, std::vector<std::string>{"No Such Card!"});
    EXPECT_EQ(Shown(), "Harness Bull");
    EXPECT_EQ(db_.CurrentCardIndex, 2);
    model_.NextButtonClick();  // stepping goes on from the card on display
    EXPECT_EQ(Shown(), "bionic Arm");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReaderSearchTest,
    ::testing::Values(SearchCase{"bion", "Bion HQ"}, SearchCase{"BION", "Bion HQ"},
                      SearchCase{"BiOnI", "bionic Arm"}, SearchCase{"  zeta \t", "Zeta Relay"},
                      SearchCase{"Wirehead Jones", "Wirehead Jones"}, SearchCase{"HQ", nullptr},
                      SearchCase{"Wirehead Jones II", nullptr}, SearchCase{"", nullptr},
                      SearchCase{"   ", nullptr}, SearchCase{"qqq", nullptr}));

TEST(SearchKey, LowerCasesOnlyAsciiLettersAndTrimsControlBytes) {
  EXPECT_EQ(SearchKey("\x01 \xC4"
                      "Bc\n"),
            "\xC4"
            "bc");
  EXPECT_TRUE(MatchesSearchKey("  Bion HQ", "bion"));
  EXPECT_FALSE(MatchesSearchKey("Bion HQ", ""));
}

TEST_F(ReaderModelTest, ShowsWordsForCodesAndKeepsThePreviousWordForUnknownCodes) {
  TCardRecord first = MakeCard("Alpha Unit", 'A');
  first.Rarity = 'V';
  first.Domain = 'M';
  TCardRecord odd = MakeCard("Odd Unit", 'X');
  odd.Rarity = 'Q';
  odd.Domain = 'Z';
  TCardRecord plain = MakeCard("Plain Base", 'B');
  plain.Rarity = 'U';
  plain.Domain = ' ';
  WriteCards({first, odd, plain});
  model_.FormActivate();
  EXPECT_EQ(model_.view().Rarity, "Very Rare");
  EXPECT_EQ(model_.view().CardType, "Asset");
  EXPECT_EQ(model_.view().Domain, "Monastery");
  model_.NextButtonClick();
  EXPECT_EQ(Shown(), "Odd Unit");
  EXPECT_EQ(model_.view().Rarity, "Very Rare");
  EXPECT_EQ(model_.view().CardType, "Asset");
  EXPECT_EQ(model_.view().Domain, "Monastery");
  model_.NextButtonClick();
  EXPECT_EQ(model_.view().Rarity, "Uncommon");
  EXPECT_EQ(model_.view().CardType, "Base");
  EXPECT_EQ(model_.view().Domain, "");
}

TEST_F(ReaderModelTest, AnUnknownCodeOnTheFirstCardLeavesTheBoxesEmpty) {
  TCardRecord odd = MakeCard("Odd Unit", 'X');
  odd.Rarity = 'Q';
  odd.Domain = 'Z';
  WriteCards({odd});
  model_.FormActivate();
  EXPECT_EQ(model_.view().Rarity, "");
  EXPECT_EQ(model_.view().CardType, "");
  EXPECT_EQ(model_.view().Domain, "");
}

TEST_F(ReaderModelTest, ShowsStatisticsAsTheyStand) {
  TCardRecord base = MakeCard("Relay Base", 'B');
  base.HP.Assign("12");
  base.Firepower.Assign("");
  base.Stealth.Assign(" ");
  base.DeployMil.Assign(" ");
  base.AttackCov = '2';
  base.SearchCyb = ' ';
  base.ProdMil = '3';
  base.TurnsMil.Assign("**");
  base.ProdCov = ' ';
  base.TurnsCov.Assign(" ");
  WriteCards({base});
  model_.FormActivate();
  const ReaderView& v = model_.view();
  EXPECT_EQ(v.HP, "12");
  EXPECT_EQ(v.Firepower, "");
  EXPECT_EQ(v.Stealth, " ");
  EXPECT_EQ(v.DeployMil, " ");
  EXPECT_EQ(v.AttackCov, "2");
  EXPECT_EQ(v.SearchCyb, " ");
  EXPECT_EQ(v.ProdMil, "3");
  EXPECT_EQ(v.TurnsMil, "**");
  EXPECT_EQ(v.ProdCov, " ");
  EXPECT_EQ(v.TurnsCov, " ");
  EXPECT_EQ(ReaderFields().size(), 29u);
  EXPECT_EQ(v.*ReaderFields()[11].value, "12");  // the field table reads the same view
}

TEST_F(ReaderModelTest, ListsKeywordsThenFlagsInBitOrder) {
  TCardRecord card = MakeCard("Flagged");
  card.Keywords =
      Mask(Keyword::Yakusa) | Mask(Keyword::Arctic) | Mask(Keyword::Alpha) | Mask(Keyword::Mech);
  card.Specials = (1u << 16) | (1u << 9) | 1u;
  WriteCards({card, MakeCard("Bare")});
  model_.FormActivate();
  EXPECT_EQ(model_.view().SpecialBox,
            (std::vector<std::string>{"Alpha", "Arctic", "Mech.", "Yakusa", "$AdjOppHand",
                                      "$ProgramUser", "$WarMachine"}));
  model_.NextButtonClick();
  EXPECT_TRUE(model_.view().SpecialBox.empty());
}

TEST_F(ReaderModelTest, ShowsTheCardTextOrTheMissingFileNotice) {
  TCardRecord first = MakeCard("Texted");
  first.TextStart = 1;
  first.TextEnd = 5;
  TCardRecord second = MakeCard("Silent");
  TCardRecord third = MakeCard("Cut Short");
  third.TextStart = 7;
  third.TextEnd = 40;
  WriteCards({first, second, third});
  model_.FormActivate();
  EXPECT_TRUE(model_.view().CardTextMissing);
  EXPECT_EQ(model_.view().CardText, kNoCardTextMessage);
  model_.NextButtonClick();
  EXPECT_EQ(model_.view().CardText, kNoCardTextMessage);

  dir_.Write("CardText.Dat", "Hello world");
  model_.FormActivate();
  EXPECT_FALSE(model_.view().CardTextMissing);
  EXPECT_EQ(model_.view().CardText, "Hello");
  model_.NextButtonClick();
  EXPECT_EQ(model_.view().CardText, "");
  model_.NextButtonClick();
  EXPECT_EQ(model_.view().CardText, "world");  // up to the end of the file
}

}  // namespace
}  // namespace quillet
