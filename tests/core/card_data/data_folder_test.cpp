#include "core/card_data/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include <sstream>

#include "cli/cli.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

struct RuleCase {
  const char* what;
  std::string given;
  std::optional<std::string> variable, xdg, home;
  std::string expected;
};

class DataFolderRuleTest : public ::testing::TestWithParam<RuleCase> {};

// A program folder that does not exist can neither hold CardStat.Dat nor be
// written, even by root, so these cases all fall past the program folder.
TEST_P(DataFolderRuleTest, PicksTheFirstFolderThatApplies) {
  const RuleCase& c = GetParam();
  DataFolderEnv env{"/nonexistent/bin", c.variable, c.xdg, c.home};
  EXPECT_EQ(ChooseDataFolder(c.given, env), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFolderRuleTest,
    ::testing::Values(
        RuleCase{"--data wins", "rel/dir", "/var", "/xdg", "/home/u", "rel/dir/"},
        RuleCase{"then the variable", "", "/var/q", "/xdg", "/home/u", "/var/q/"},
        RuleCase{"an empty variable is unset", "", "", "/xdg/", "/home/u", "/xdg/quillet/"},
        RuleCase{"XDG_DATA_HOME", "", std::nullopt, "/xdg", "/home/u", "/xdg/quillet/"},
        RuleCase{"a relative XDG_DATA_HOME is ignored", "", std::nullopt, "xdg", "/home/u",
                 "/home/u/.local/share/quillet/"},
        RuleCase{"no XDG_DATA_HOME", "", std::nullopt, std::nullopt, "/home/u/",
                 "/home/u/.local/share/quillet/"},
        RuleCase{"no home either", "", std::nullopt, "", std::nullopt, "/.local/share/quillet/"}));

TEST(DataFolderTest, AWritableProgramFolderIsUsedBeforeTheDataHome) {
  test::TempDir program;
  const DataFolderEnv env{program.path(), std::nullopt, "/xdg", "/home/u"};
  EXPECT_EQ(ChooseDataFolder("", env), program.path());
}

// An installed program: its folder belongs to someone else. The user's first
// build goes to the data home, which is created then, and the analysis reads
// it from there; a program folder that holds a database is still used.
TEST(DataFolderTest, AnInstalledProgramKeepsItsDataInTheUsersDataHome) {
  test::TempDir root;
  std::filesystem::create_directories(root.File("bin"));
  std::filesystem::create_directories(root.File("home"));
  // The unprivileged user may not reach the checkout (a clone in a private
  // home folder), so the test reads copies in its own folder.
  const std::string source = std::string(QUILLET_SOURCE_DIR) + "/samples/";
  const std::string samples = root.File("samples/");
  std::filesystem::create_directories(samples + "decks");
  std::filesystem::copy_file(source + "cards.txt", samples + "cards.txt");
  std::filesystem::copy_file(source + "decks/monastery-bion.txt",
                             samples + "decks/monastery-bion.txt");
  test::RunUnprivileged(root.path(), [&] {
    ASSERT_EQ(::chmod(root.File("bin").c_str(), 0555), 0);
    const DataFolderEnv env{root.File("bin/"), std::nullopt, std::nullopt, root.File("home")};
    const std::string home = root.File("home/.local/share/quillet/");
    EXPECT_EQ(ChooseDataFolder("", env), home);

    cli::Args argv{"quillet-cli", "build", samples + "cards.txt"};
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunCli(argv, env, out, err), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(home + "CardStat.Dat"));
    EXPECT_TRUE(std::filesystem::is_empty(root.File("bin")));
    argv = {"quillet-cli", "analyze", samples + "decks/monastery-bion.txt"};
    EXPECT_EQ(cli::RunCli(argv, env, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("HQ Type: Bion HQ"), std::string::npos);

    ASSERT_EQ(::chmod(root.File("bin").c_str(), 0755), 0);
    root.Write("bin/CardStat.Dat", "");
    ASSERT_EQ(::chmod(root.File("bin").c_str(), 0555), 0);
    EXPECT_EQ(ChooseDataFolder("", env), root.File("bin/"));
    ASSERT_EQ(::chmod(root.File("bin").c_str(), 0755), 0);
  });
}

}  // namespace
}  // namespace quillet
