#include <gtest/gtest.h>

#include <filesystem>

#include "core/card_data/card_database.h"
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
