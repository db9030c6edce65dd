#include <gtest/gtest.h>

#include <sstream>

#include "card_data/card_words.h"
#include "cli/commands.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

struct Result {
  int code;
  std::string out, err;
};

class CardCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TCardRecord hq = test::MakeCard("Bion HQ", 'H');
    hq.Rarity = 'R';
    hq.Domain = 'M';
    hq.ProdMil = '2';
    hq.TurnsMil.Assign("**");
    hq.Keywords = Mask(Keyword::Unique) | Mask(Keyword::Alpha);
    hq.Specials = 1u << 9;
    hq.TextStart = 1;
    hq.TextEnd = 12;
    TCardRecord drone = test::MakeCard("Caf\xE9 Drone", 'A');
    drone.HP.Assign("3");
    drone.Edition.Assign("Base \"1\"");
    drone.TextStart = 13;
    drone.TextEnd = 26;
    dir_.Write("CardStat.Dat", test::RecordsBytes({test::MakeCard("Alpha Relay", 'B'), hq, drone}));
    dir_.Write("CardText.Dat", "Hold fast.  Fly \x93high\x94.");
  }
  Result Run(Args args) {
    std::ostringstream out, err;
    const int code = RunCard(args, dir_.path(), out, err);
    return {code, out.str(), err.str()};
  }

  test::TempDir dir_;
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
  test::TempDir empty;
  std::ostringstream out, err;
  EXPECT_EQ(RunCard({"Bion HQ", "--data", empty.path()}, dir_.path() + "elsewhere/", out, err), 1);
  EXPECT_EQ(err.str(), "You must create a data file to use this program\n");
  std::string withoutSlash = dir_.path();
  withoutSlash.pop_back();
  std::ostringstream out2, err2;
  EXPECT_EQ(RunCard({"--data", withoutSlash, "Alpha Relay"}, empty.path(), out2, err2), 0);
}

TEST_F(CardCommandTest, AnEmptyCardFileReportsItsIoError) {
  dir_.Write("CardStat.Dat", "");
  const Result r = Run({"Bion HQ"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Read beyond end of file\n");
}

TEST_F(CardCommandTest, BadUsageExitsWithTwo) {
  for (const Args& args : {Args{}, Args{"--json"}, Args{"A", "B"}, Args{"A", "--find", "B"},
                           Args{"--find"}, Args{"A", "--data"}, Args{"A", "--verbose"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace quillet::cli
