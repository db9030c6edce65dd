#include <gtest/gtest.h>

#include "core/card_data/card_words.h"
#include "deck_cli_support.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using test::Result;

class CardCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TCardRecord hq = quillet::test::MakeCard("Bion HQ", 'H');
    hq.Rarity = 'R';
    hq.Domain = 'M';
    hq.ProdMil = '2';
    hq.TurnsMil.Assign("**");
    hq.Keywords = Mask(Keyword::Unique) | Mask(Keyword::Alpha);
    hq.Specials = 1u << 9;
    hq.TextStart = 1;
    hq.TextEnd = 12;
    TCardRecord drone = quillet::test::MakeCard("Caf\xE9 Drone", 'A');
    drone.HP.Assign("3");
    drone.Edition.Assign("Base \"1\"");
    drone.TextStart = 13;
    drone.TextEnd = 26;
    dir_.Write("CardStat.Dat", quillet::test::RecordsBytes(
                                   {quillet::test::MakeCard("Alpha Relay", 'B'), hq, drone}));
    dir_.Write("CardText.Dat", "Hold fast.  Fly \x93high\x94.");
  }
  Result Run(Args args) { return test::RunCommand("card", args, dir_.path()); }

  quillet::test::TempDir dir_;
};

TEST_F(CardCommandTest, PrintsEveryBoxOfTheNamedCard) {
  const Result r = Run({"Bion HQ"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Name: Bion HQ\n"), std::string::npos);
  EXPECT_NE(r.out.find("Rarity: Rare\nType: HQ\nDomain: Monastery\n"), std::string::npos);
  EXPECT_NE(r.out.find("Military production: 2\nMilitary turns: **\n"), std::string::npos);
  EXPECT_NE(r.out.find("Special:\n  Alpha\n  Unique\n  $ProgramUser\nText:\nHold fast.  \n"),
            std::string::npos);
}

TEST_F(CardCommandTest, WritesJsonKeyedByControlNamesInUtf8) {
  const Result r = Run({"--find", " caf", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"CardName\": \"Caf\xC3\xA9 Drone\""), std::string::npos);
  EXPECT_NE(r.out.find("\"Edition\": \"Base \\\"1\\\"\""), std::string::npos);
  EXPECT_NE(r.out.find("\"HP\": \"3\""), std::string::npos);
  EXPECT_NE(r.out.find("\"SearchCyb\": "), std::string::npos);
  EXPECT_NE(r.out.find("\"SpecialBox\": []"), std::string::npos);
  EXPECT_NE(r.out.find("\"CardText\": \"Fly \xE2\x80\x9Chigh\xE2\x80\x9D.\""), std::string::npos);
}

TEST_F(CardCommandTest, ANameTypedInUtf8FindsTheWindows1252Card) {
  // The terminal sends UTF-8; a byte string that is not UTF-8 is used as it is.
  for (const Args& args :
       {Args{"Caf\xC3\xA9 Drone"}, Args{"Caf\xE9 Drone"}, Args{"--find", "caf\xC3\xA9"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 0) << args.back() << r.err;
    EXPECT_NE(r.out.find("Caf\xC3\xA9 Drone"), std::string::npos);
  }
  EXPECT_EQ(Run({"Caf\xE2\x82\xAC Drone"}).code, 1);  // the euro sign is another byte
}

TEST_F(CardCommandTest, AnUnknownNameIsAnErrorNotTheLastCard) {
  for (const Args& args : {Args{"bion hq"}, Args{"--find", "HQ"}, Args{"--find", "  "}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 1) << args.back();
    EXPECT_EQ(r.err, "No Such Card!\n");
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(CardCommandTest, WithoutCardTextShowsTheReadersNotice) {
  std::remove(dir_.File("CardText.Dat").c_str());
  const Result r = Run({"Bion HQ", "--json"});
  ASSERT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"CardText\": \"You must create a card text file before being able to "
                       "view text.\""),
            std::string::npos);
}

TEST_F(CardCommandTest, ReadsTheDataFolderGiven) {
  quillet::test::TempDir empty;
  const Result r = test::RunCommand("card", {"Bion HQ", "--data", empty.path()}, dir_.path());
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "You must create a data file to use this program\nData folder: " + empty.path() + "\n");
  std::string withoutSlash = dir_.path();
  withoutSlash.pop_back();
  EXPECT_EQ(test::RunCommand("card", {"--data", withoutSlash, "Alpha Relay"}, empty.path()).code,
            0);
}

TEST_F(CardCommandTest, ACodeWithoutAWordShowsEmptyNeverAnotherCardsWord) {
  // The first card of the file is the one a fresh reader shows before a
  // search; its words must not stay on display for the card found.
  TCardRecord first = quillet::test::MakeCard("Aardvark Tank", 'A');
  first.Rarity = 'V';
  first.Domain = 'F';
  TCardRecord odd = quillet::test::MakeCard("Odd Relic", 'Q');
  odd.Rarity = 'Q';
  odd.Domain = 'Q';
  dir_.Write("CardStat.Dat", quillet::test::RecordsBytes({first, odd}));
  for (const Args& args : {Args{"--find", "odd"}, Args{"Odd Relic"}}) {
    const Result r = Run(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Name: Odd Relic\nEdition: \nRarity: \nType: \nDomain: \n"),
              std::string::npos)
        << r.out;
  }
  const Result json = Run({"--find", "odd", "--json"});
  EXPECT_NE(json.out.find("\"Rarity\": \"\",\n  \"CardType\": \"\",\n  \"Domain\": \"\","),
            std::string::npos)
      << json.out;
}

TEST_F(CardCommandTest, AnEmptyCardFileReportsItsIoError) {
  dir_.Write("CardStat.Dat", "");
  const Result r = Run({"Bion HQ"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, dir_.File("CardStat.Dat") + ": Read beyond end of file\n");
}

TEST_F(CardCommandTest, BadUsageExitsWithTwo) {
  for (const Args& args : {Args{}, Args{"--json"}, Args{"A", "B"}, Args{"A", "--find", "B"},
                           Args{"--find"}, Args{"A", "--data"}, Args{"A", "--verbose"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.rfind("quillet-cli: ", 0), 0u) << r.err;
  }
}

}  // namespace
}  // namespace quillet::cli
