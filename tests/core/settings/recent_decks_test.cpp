#include "core/settings/recent_decks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/card_data/io_error.h"
#include "core/settings/config_dir.h"
#include "core/settings/file_fingerprint.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using Paths = std::vector<std::string>;

// Random adds and removes over a small pool, against the plainest model of
// the rule: a list where adding puts the path first once and the ninth
// falls off. Every state also survives the trip through the file.
TEST(RecentDecksTest, FollowsTheNewestFirstRuleAndReadsBackAsWritten) {
  const Paths pool = {"/d/a.txt", "/d/b.txt", "/d/c.txt", "/d/d.txt", "/d/e.txt", "/d/f.txt",
                      "/d/g.txt", "/d/h.txt", "/d/i.txt", "/d/j.txt", "/d/k.txt"};
  std::mt19937 random(7);
  RecentDecks decks;
  Paths model;
  for (int step = 0; step < 2000; ++step) {
    const std::string& path = pool[random() % pool.size()];
    if (random() % 4 == 0) {
      const bool listed = std::find(model.begin(), model.end(), path) != model.end();
      EXPECT_EQ(decks.Remove(path), listed);
      std::erase(model, path);
    } else {
      decks.Add(path);
      std::erase(model, path);
      model.insert(model.begin(), path);
      if (model.size() > 8) model.pop_back();
    }
    ASSERT_EQ(decks.Paths(), model) << "step " << step;
    ASSERT_EQ(ParseRecentDecks(RecentDecksText(decks)).Paths(), model);
  }
}

TEST(RecentDecksTest, KeepsOnlyPathsThatFitOnALine) {
  RecentDecks decks;
  EXPECT_FALSE(decks.Add(""));
  EXPECT_FALSE(decks.Add("relative/deck.txt"));
  EXPECT_FALSE(decks.Add("/two\nlines.txt"));
  EXPECT_FALSE(decks.Add("/cr\r.txt"));
  EXPECT_FALSE(decks.Add(std::string("/nul\0.txt", 9)));
  EXPECT_TRUE(decks.Add("/caf\xe9 decks/#1 & co.txt"));   // any other bytes are kept as they are
  EXPECT_FALSE(decks.Add("/caf\xe9 decks/#1 & co.txt"));  // already first
  EXPECT_EQ(decks.Paths(), Paths{"/caf\xe9 decks/#1 & co.txt"});
}

struct ParseCase {
  const char* name;
  std::string bytes;
  Paths paths;
};

class RecentDecksParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(RecentDecksParseTest, ReadsWhatItCanUse) {
  EXPECT_EQ(ParseRecentDecks(GetParam().bytes).Paths(), GetParam().paths);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RecentDecksParseTest,
    ::testing::Values(
        ParseCase{"Empty", "", {}},
        ParseCase{"CommentsAndBlankLines", "# header\n\n/a.txt\n   \n#/b.txt\n", {"/a.txt"}},
        ParseCase{"NoFinalLineEnd", "/a.txt\n/b.txt", {"/a.txt", "/b.txt"}},
        ParseCase{"CrLfLines", "/a.txt\r\n/b.txt\r\n", {"/a.txt", "/b.txt"}},
        ParseCase{"RelativeSkipped", "deck.txt\n/a.txt\n", {"/a.txt"}},
        ParseCase{"FirstOfARepeatWins", "/a.txt\n/b.txt\n/a.txt\n", {"/a.txt", "/b.txt"}},
        ParseCase{"EightAtMost",
                  "/1\n/2\n/3\n/4\n/5\n/6\n/7\n/8\n/9\n/10\n",
                  {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
        ParseCase{"RepeatsDoNotCountTowardsTheLimit",
                  "/1\n/1\n/2\n/3\n/4\n/5\n/6\n/7\n/8\n",
                  {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
        ParseCase{"BinaryGarbage", std::string("\0\xff\n/ok\n\r\r\n", 9), {"/ok"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecentDecksFileTest, IsKeptInItsOwnFolderAndReplacedWhole) {
  test::TempDir dir;
  const std::string config = dir.path() + "config/quillet/";
  EXPECT_TRUE(LoadRecentDecks(config).Paths().empty());  // nothing there yet
  RecentDecks decks;
  decks.Add("/decks/old.txt");
  decks.Add("/decks/new.txt");
  SaveRecentDecks(config, decks);  // creates both folders
  EXPECT_EQ(LoadRecentDecks(config).Paths(), (Paths{"/decks/new.txt", "/decks/old.txt"}));
  EXPECT_EQ(test::TempDir::Read(config + "recent-decks"),
            "# Decks recently opened in Quillet, newest first.\n/decks/new.txt\n/decks/old.txt\n");
  decks.Remove("/decks/new.txt");
  SaveRecentDecks(config, decks);
  EXPECT_EQ(LoadRecentDecks(config).Paths(), Paths{"/decks/old.txt"});

  // A folder that cannot be made is an I/O error for the caller to weigh.
  dir.Write("plain-file", "x");
  EXPECT_THROW(SaveRecentDecks(dir.path() + "plain-file/quillet/", decks), IoError);
  // No folder at all keeps nothing and reads nothing.
  EXPECT_NO_THROW(SaveRecentDecks("", decks));
  EXPECT_TRUE(LoadRecentDecks("").Paths().empty());
}

struct ConfigCase {
  const char* name;
  const char* xdg;
  const char* home;
  std::string dir;
};

class ConfigDirTest : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigDirTest, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(ConfigDirFrom(GetParam().xdg, GetParam().home), GetParam().dir);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ConfigDirTest,
    ::testing::Values(
        ConfigCase{"XdgWins", "/x/conf", "/home/u", "/x/conf/quillet/"},
        ConfigCase{"XdgWithSlash", "/x/conf/", nullptr, "/x/conf/quillet/"},
        ConfigCase{"HomeWhenXdgUnset", nullptr, "/home/u", "/home/u/.config/quillet/"},
        ConfigCase{"HomeWhenXdgEmpty", "", "/home/u", "/home/u/.config/quillet/"},
        ConfigCase{"RelativeXdgIgnored", "conf", "/home/u", "/home/u/.config/quillet/"},
        ConfigCase{"NothingUsable", "conf", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileFingerprintTest, TellsContentApartAndMissingFiles) {
  test::TempDir dir;
  const std::string file = dir.Write("deck.txt", "2\tGrunt\r\n");
  const auto first = FingerprintFile(file);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(*first, FingerprintOf("2\tGrunt\r\n"));
  dir.Write("deck.txt", "3\tGrunt\r\n");  // same size, one byte differs
  EXPECT_NE(FingerprintFile(file), first);
  EXPECT_NE(FingerprintOf(std::string(20000, 'a')), FingerprintOf(std::string(20001, 'a')));
  EXPECT_EQ(FingerprintFile(dir.File("gone.txt")), std::nullopt);
  EXPECT_EQ(FingerprintFile(dir.path()), std::nullopt);  // a folder
}

}  // namespace
}  // namespace quillet
