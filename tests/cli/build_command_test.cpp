#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "core/card_data/card_database.h"
#include "core/card_data/data_journal.h"
#include "core/card_data/temp_files.h"
#include "core/import/card_list_line.h"
#include "deck_cli_support.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using quillet::test::CardListLine;
using quillet::test::TempDir;

using BuildRun = cli::test::Result;

BuildRun Build(const Args& args, const std::string& programDir) {
  return cli::test::RunCommand("build", args, programDir);
}

class BuildCommandTest : public ::testing::Test {
 protected:
  BuildCommandTest() {
    CardListLine bull;
    bull.name = "Harness Bull";
    bull.firepower = "5";
    bull.armor = "6";
    bull.text = "Tramples.";
    CardListLine other;
    other.name = "Signal Mast";
    other.text = "Relays.";
    list_ = dir_.Write("cards.txt", bull.Str() + other.Str());
  }

  TCardRecord Card(const std::string& folder, const std::string& name) {
    CardDatabase db(folder);
    EXPECT_TRUE(db.LookupCard(name));
    return db.CurrentCard;
  }

  TempDir dir_;
  TempDir data_;
  std::string list_;
};

TEST_F(BuildCommandTest, BuildsInTheProgramFolderByDefault) {
  const BuildRun run = Build({list_}, data_.path());
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "Card Data File Updated\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(TempDir::Read(data_.File("CardText.Dat")), "Tramples.Relays.");
  const TCardRecord bull = Card(data_.path(), "Harness Bull");
  EXPECT_EQ(bull.Firepower.View(), "1");
  EXPECT_EQ(bull.Armor.View(), "1");
}

TEST_F(BuildCommandTest, DataFolderWithoutTrailingSlashAndOptions) {
  data_.Write("CardText.Dat", "stale");
  std::string folder = data_.path();
  folder.pop_back();
  const BuildRun run = Build(
      {"--no-text", list_, "--data", folder, "--no-fix", "Bull", "--no-fix", "Holo"}, dir_.path());
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(data_.File("CardText.Dat")));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("CardStat.Dat")));
  const TCardRecord bull = Card(data_.path(), "Harness Bull");
  EXPECT_EQ(bull.Firepower.View(), "5");
  EXPECT_EQ(bull.Armor.View(), "6");
  EXPECT_EQ(bull.TextStart, 1);  // positions are kept without the texts
}

TEST_F(BuildCommandTest, AMissingListFailsAndKeepsThePreviousFiles) {
  data_.Write("CardStat.Dat", "previous");
  data_.Write("CardText.Dat", "texts");
  const BuildRun run = Build({dir_.File("absent.txt"), "--data", data_.path()}, dir_.path());
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, dir_.File("absent.txt") + ": File not found\n");
  EXPECT_EQ(TempDir::Read(data_.File("CardStat.Dat")), "previous");
  EXPECT_EQ(TempDir::Read(data_.File("CardText.Dat")), "texts");
}

// What the build refuses and how it says so: the refused file by name, the
// database kept.
TEST_F(BuildCommandTest, RefusalsNameTheRefusedFileAndKeepTheDatabase) {
  const std::string deck = dir_.Write("deck.txt", "4 Harness Bull\r\n2 Signal Mast\r\n");
  const std::string folder = data_.path().substr(0, data_.path().size() - 1);
  const struct {
    std::function<void()> make;
    std::string list, err;
  } cases[] = {
      {[] {}, deck, "'" + deck + "' is not a card list: no line holds the 16 fields of a card.\n"},
      {[&] { ::chmod(data_.File("CardText.Dat").c_str(), 0444); }, list_,
       data_.File("CardText.Dat") + ": File access denied\n"},
      {[&] {
         std::filesystem::remove(data_.File("CardText.Dat"));
         ::symlink(data_.File("gone").c_str(), data_.File("CardText.Dat").c_str());
       },
       list_, data_.File("CardText.Dat") + ": File not found\n"},
  };
  for (const auto& c : cases) {
    data_.Write("CardStat.Dat", "previous");
    c.make();
    const BuildRun run = Build({c.list, "--data", folder}, dir_.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(TempDir::Read(data_.File("CardStat.Dat")), "previous");
    std::filesystem::remove(data_.File("CardText.Dat"));
    data_.Write("CardText.Dat", "texts");
  }
}

// A journal that is not ours is moved aside and said once; the build goes on.
TEST_F(BuildCommandTest, AForeignJournalIsMovedAsideAndSaid) {
  data_.Write("CardData.journal", "not a journal\n");
  const BuildRun run = Build({list_, "--data", data_.path()}, dir_.path());
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.err.find("'" + data_.File("CardData.journal") + "' was not a card data journal"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find(data_.File("CardData.journal.foreign-")), std::string::npos) << run.err;
  EXPECT_EQ(Build({list_, "--data", data_.path()}, dir_.path()).err, "");
}

// A stopped update that cannot be finished stops every command that would
// read the folder, with one message.
TEST_F(BuildCommandTest, AHalfUpdatedFolderIsRefusedByEveryCommand) {
  ASSERT_EQ(Build({list_, "--data", data_.path()}, dir_.path()).code, 0);
  const std::string temp = TempFileName("CardText.Dat");
  data_.Write(temp, "new texts");
  WriteJournal(data_.path(), {{temp, "CardText.Dat"}});
  // The temporary file a folder cannot be renamed over: the update stays
  // pending whoever opens the folder.
  std::filesystem::remove(data_.File("CardText.Dat"));
  std::filesystem::create_directory(data_.File("CardText.Dat"));
  data_.Write("CardText.Dat/keep", "");
  const std::string folder = data_.path().substr(0, data_.path().size() - 1);
  const std::string message = "The card data in " + folder +
                              " is half updated; open it once with write access to finish the "
                              "update.\n";
  for (const std::string command : {"build", "card"}) {
    const Args args =
        command == "build" ? Args{list_, "--data", folder} : Args{"Harness Bull", "--data", folder};
    const auto run = cli::test::RunCommand(command, args, dir_.path());
    EXPECT_EQ(run.code, 1) << command;
    EXPECT_EQ(run.err, message) << command;
  }
}

class BuildUsageTest : public ::testing::TestWithParam<Args> {};

TEST_P(BuildUsageTest, BadUsagePrintsTheUsageAndBuildsNothing) {
  TempDir data;
  const std::string list = data.Write("cards.txt", "Lone Card\tE\n");
  Args args = GetParam();
  for (auto& arg : args) {
    if (arg == "LIST") arg = list;
  }
  const BuildRun run = Build(args, data.path());
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("quillet-cli: ", 0), 0u) << run.err;
  EXPECT_FALSE(std::filesystem::exists(data.File("CardStat.Dat")));
}

INSTANTIATE_TEST_SUITE_P(Args, BuildUsageTest,
                         ::testing::Values(Args{}, Args{"--no-text"}, Args{"LIST", "--bogus"},
                                           Args{"-x", "LIST"}, Args{"LIST", "--data"},
                                           Args{"LIST", "--no-fix"},
                                           Args{"LIST", "--no-fix", "Hologram"},
                                           Args{"LIST", "--no-fix", "BullCheck"},
                                           Args{"LIST", "--no-fix", "bull"}, Args{"LIST", "LIST"},
                                           Args{""}, Args{"LIST", "--data", ""}));

}  // namespace
}  // namespace quillet::cli
