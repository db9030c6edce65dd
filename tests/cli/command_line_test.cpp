// The command line as a whole: help and version go to stdout and succeed, a
// wrong line names what is wrong on stderr and exits 2, and a failure names
// its file and exits 1.
#include <gtest/gtest.h>

#include <string>

#include "deck_cli_support.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

struct LineCase {
  Args args;  // after the program name; DECK is a valid deck, DATA a database
  int code;
  bool onStdout;
  std::string says;  // a part of what is printed
};

void PrintTo(const LineCase& c, std::ostream* os) {
  for (const auto& arg : c.args) *os << arg << ' ';
}

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, ExitsAndPrintsAsExpected) {
  quillet::test::TempDir dir;
  dir.Write("CardStat.Dat", "");
  const std::string deck = dir.Write("deck.txt", "1\tSome Card\r\n");
  Args argv{"quillet-cli"};
  for (std::string arg : GetParam().args) {
    if (arg == "DECK") arg = deck;
    if (arg == "DATA") arg = dir.path();
    argv.push_back(arg);
  }
  DataFolderEnv env;
  env.programDir = "/nonexistent/";
  env.dataDirVar = "/from/the/variable";
  std::ostringstream out, err;
  const int code = RunCli(argv, env, out, err);
  EXPECT_EQ(code, GetParam().code) << out.str() << err.str();
  const std::string printed = GetParam().onStdout ? out.str() : err.str();
  const std::string silent = GetParam().onStdout ? err.str() : out.str();
  EXPECT_NE(printed.find(GetParam().says), std::string::npos) << printed;
  EXPECT_EQ(silent, "");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    ::testing::Values(
        LineCase{{"--help"}, 0, true, "Subcommands:"},
        LineCase{{"analyze", "--help"}, 0, true, "--assets-only"},
        LineCase{{"list", "--help"}, 0, true, "FIELD"},
        LineCase{{"build", "-h"}, 0, true, "--no-fix"},
        LineCase{{"--version"}, 0, true, "quillet-cli 3.61\nData folder: /from/the/variable/\n"},
        LineCase{{"--data", "/given", "--version"}, 0, true, "Data folder: /given/\n"},
        LineCase{{}, 2, false, "Usage:"}, LineCase{{"frob"}, 2, false, "unknown command 'frob'"},
        LineCase{{"analyze", "DECK", "--foo"}, 2, false, "unknown option '--foo'"},
        LineCase{{"list", "DECK", "NoSuchField"}, 2, false, "unknown field 'NoSuchField'"},
        LineCase{{"analyze", "DECK", "DECK"}, 2, false, "unexpected argument"},
        LineCase{{"analyze", "DECK", "--cost", "assets"}, 2, false, "assets not in"},
        // Every numeric option states its range as it is typed.
        LineCase{{"hand", "DECK", "--draw", "-1"}, 2, false, ": --draw must be 0 or more\n"},
        LineCase{{"hand", "DECK", "--draw", "1.5"}, 2, false, ": --draw must be 0 or more\n"},
        LineCase{{"hand", "DECK", "--seed", "-1"},
                 2,
                 false,
                 ": --seed must be 0 to 18446744073709551615\n"},
        LineCase{{"odds", "DECK", "AssetAmount", "--seen", "0"},
                 2,
                 false,
                 ": --seen must be 1 to 9223372036854775807\n"},
        LineCase{{"odds", "DECK", "AssetAmount", "--seen", "9223372036854775808"},
                 2,
                 false,
                 ": --seen must be 1 to 9223372036854775807\n"},
        LineCase{{"add", "DECK", "Some Card", "--count", "0"},
                 2,
                 false,
                 ": --count must be 1 to 2147483647\n"},
        LineCase{{"remove", "DECK", "Some Card", "--count", "2147483648"},
                 2,
                 false,
                 ": --count must be 1 to 2147483647\n"},
        // A field nobody has is answered with the nearest ones, or the list.
        LineCase{{"list", "DECK", "Assets"}, 2, false, "'Assets' (did you mean AssetAmount?)\n"},
        LineCase{{"odds", "DECK", "launchers"},
                 2,
                 false,
                 "'launchers' (did you mean LauncherAmount?)\n"},
        LineCase{{"list", "DECK", "Highest CA"}, 2, false, "(did you mean HighACA or HighPCA?)\n"},
        LineCase{{"list", "DECK", "Zebra"}, 2, false, "'Zebra' (quillet-cli fields lists"},
        LineCase{{"list", "--help"}, 0, true, "quillet-cli fields lists them"},
        LineCase{{"odds", "--help"}, 0, true, "quillet-cli fields lists them"},
        // A data folder the user chose is named when it holds no data file.
        LineCase{{"analyze", "DECK", "--data", "/nowhere"},
                 1,
                 false,
                 "You must create a data file to use this program\nData folder: /nowhere/\n"},
        LineCase{{"card", "Nobody"},
                 1,
                 false,
                 "You must create a data file to use this program\n"
                 "Data folder: /from/the/variable/\n"},
        LineCase{{"--data", "/nowhere", "search", "x"}, 1, false, "\nData folder: /nowhere/\n"},
        LineCase{{"add", "DECK", "Some Card", "--data", "/nowhere"},
                 1,
                 false,
                 "\nData folder: /nowhere/\n"},
        LineCase{{"build", "nowhere/cards.txt", "--data", "DATA"},
                 1,
                 false,
                 "nowhere/cards.txt: File not found\n"},
        LineCase{{"card", "Nobody", "--data", "DATA"},
                 1,
                 false,
                 "CardStat.Dat: Read beyond end of file\n"},
        LineCase{{"analyze", "nowhere.txt", "--data", "DATA"},
                 1,
                 false,
                 "File 'nowhere.txt' is not a valid deck file.\n"}));

// Every command takes --data before and after its name, also one that
// reads no data, so a script may pass it to all of them alike.
TEST(CommandLineDataTest, EveryCommandTakesDataOnEitherSide) {
  quillet::test::TempDir dir;
  const std::string deck = dir.Write("deck.txt", "1\tSome Card\r\n");
  const std::string list = dir.Write("list.txt", "1 Some Card\n");
  const std::vector<std::pair<std::string, Args>> commands = {
      {"build", {dir.File("cards.txt")}},
      {"analyze", {deck}},
      {"list", {deck, "AssetAmount"}},
      {"card", {"Some Card"}},
      {"odds", {deck, "AssetAmount"}},
      {"hand", {deck}},
      {"diff", {deck, deck}},
      {"check", {deck}},
      {"search", {"x"}},
      {"add", {deck, "Some Card"}},
      {"remove", {deck, "Some Card"}},
      {"fields", {}},
      {"names", {deck}},
      {"import", {list, "-o", dir.File("imported.txt")}},
      {"export", {deck}},
  };
  for (const auto& [command, args] : commands) {
    for (const bool before : {true, false}) {
      SCOPED_TRACE(command + (before ? ", --data before" : ", --data after"));
      Args argv{"quillet-cli"};
      if (before) argv.insert(argv.end(), {"--data", dir.path()});
      argv.push_back(command);
      argv.insert(argv.end(), args.begin(), args.end());
      if (!before) argv.insert(argv.end(), {"--data", dir.path()});
      DataFolderEnv env;
      env.programDir = "/nonexistent/";
      std::ostringstream out, err;
      EXPECT_NE(RunCli(argv, env, out, err), 2) << err.str();
    }
  }
}

}  // namespace
}  // namespace quillet::cli
