// End to end over the sample data: names lists and fixes a copy of a sample
// deck, import writes a deck from a pasted list read from standard input by
// the built program, and export prints what import reads back as the same
// deck.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "sample_data.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using nlohmann::ordered_json;
using test::Result;
using test::RunOnSamples;
using test::SampleDeck;

TEST(NamesCommandsTest, NamesListsThenFixesTheSureOnes) {
  const quillet::test::TempDir dir;
  const std::string original =
      quillet::test::TempDir::Read(SampleDeck("corporate-missing-cards.txt"));
  const std::string deck = dir.Write("deck.txt", original);

  const Result listed = RunOnSamples("names", {deck});
  EXPECT_EQ(listed.code, 3) << listed.err;
  EXPECT_EQ(listed.out,
            "7: 'harness bull' -> Harness Bull\n16: 'Phantom Courier' -> no suggestion\n");

  const Result applied = RunOnSamples("names", {deck, "--apply", "--json"});
  EXPECT_EQ(applied.code, 3) << applied.err;
  const ordered_json want = {{"FileName", deck},
                             {"Lines",
                              {{{"Line", 7},
                                {"Name", "harness bull"},
                                {"Kind", "loose"},
                                {"Suggestions", {"Harness Bull"}}},
                               {{"Line", 16},
                                {"Name", "Phantom Courier"},
                                {"Kind", "none"},
                                {"Suggestions", ordered_json::array()}}}},
                             {"Applied", 1}};
  EXPECT_EQ(ordered_json::parse(applied.out), want);
  std::string fixed = original;
  fixed.replace(fixed.find("1\tharness bull"), 14, "1\tHarness Bull");
  EXPECT_EQ(quillet::test::TempDir::Read(deck), fixed);

  EXPECT_EQ(RunOnSamples("names", {SampleDeck("monastery-bion.txt")}).code, 0);
  const Result invalid = RunOnSamples("names", {SampleDeck("not-a-deck.txt")});
  EXPECT_EQ(invalid.code, 1);
  EXPECT_NE(invalid.err.find("is not a valid deck file."), std::string::npos) << invalid.err;
  EXPECT_EQ(RunOnSamples("names", {}).code, 2);
  EXPECT_EQ(test::RunCommand("names", {deck, "--data", dir.path()}, dir.path()).code, 1);
}

TEST(NamesCommandsTest, ImportReadsAPastedListFromStandardInput) {
  const quillet::test::TempDir dir;
  const std::string list = dir.Write("list.txt",
                                     "\xEF\xBB\xBF"
                                     "Assets:\r\n4x harness bull\r\nS\xC3\xA9"
                                     "ance Broker x2\r\n"
                                     "// none\r\nZzyzx\r\n");
  const std::string deck = dir.File("deck.txt");
  const std::string command = std::string(QUILLET_CLI_PATH) + " import - -o " + deck +
                              " --json --data " + test::SampleData() + " < " + list;
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = ::pclose(pipe);
  EXPECT_EQ(WEXITSTATUS(status), 3);
  const ordered_json want = {
      {"Deck", deck},
      {"Lines",
       {{{"Line", 2},
         {"Text", "4x harness bull"},
         {"Count", 4},
         {"Name", "Harness Bull"},
         {"Match", "loose"}},
        {{"Line", 3},
         {"Text",
          "S\xC3\xA9"
          "ance Broker x2"},
         {"Count", 2},
         {"Name",
          "S\xC3\xA9"
          "ance Broker"},
         {"Match", "exact"}},
        {{"Line", 5}, {"Text", "Zzyzx"}, {"Count", 1}, {"Name", "Zzyzx"}, {"Match", "none"}}}},
      {"Skipped", {1, 4}},
      {"LeftOut", ordered_json::array()}};
  EXPECT_EQ(ordered_json::parse(out), want);
  EXPECT_EQ(quillet::test::TempDir::Read(deck),
            "4\tHarness Bull\r\n2\tS\xE9"
            "ance Broker\r\n1\tZzyzx\r\n");

  const Result refused = RunOnSamples("import", {list, "-o", deck});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "'" + deck + "' exists; use --force to replace it.\n");
  const Result forced = RunOnSamples("import", {list, "-o", deck, "--force"});
  EXPECT_EQ(forced.code, 3);
  EXPECT_EQ(
      forced.out,
      "2: '4x harness bull' -> Harness Bull (loose)\n5: 'Zzyzx' -> not found, kept as written\n");
  EXPECT_EQ(RunOnSamples("import", {dir.File("missing.txt"), "-o", dir.File("new.txt")}).code, 1);
  EXPECT_EQ(RunOnSamples("import", {list}).code, 2);
}

TEST(NamesCommandsTest, ImportLeavesOutTheSideboardAndWritesNoEmptyDeck) {
  const quillet::test::TempDir dir;
  const std::string list = dir.Write("list.txt",
                                     "4 Koan Ice\rSideboard (3):\r2 Bion Acolyte\r\n"
                                     "Assets:\n3 Bion Acolyte\nSB: 1 Koan Ice");
  const std::string deck = dir.File("deck.txt");
  const Result text = RunOnSamples("import", {list, "-o", deck});
  EXPECT_EQ(text.code, 3) << text.err;
  EXPECT_EQ(text.out,
            "3: '2 Bion Acolyte' left out (sideboard)\n"
            "6: 'SB: 1 Koan Ice' left out (sideboard)\n");
  // A lone CR ends a line: no name of the deck holds one.
  EXPECT_EQ(quillet::test::TempDir::Read(deck), "4\tKoan Ice\r\n3\tBion Acolyte\r\n");
  EXPECT_EQ(RunOnSamples("analyze", {deck}).code, 0);

  const Result json = RunOnSamples("import", {list, "-o", deck, "--force", "--json"});
  EXPECT_EQ(json.code, 3) << json.err;
  const ordered_json parsed = ordered_json::parse(json.out);
  EXPECT_EQ(parsed["Skipped"], ordered_json({2, 4}));
  EXPECT_EQ(parsed["LeftOut"], ordered_json({3, 6}));
  EXPECT_EQ(parsed["Lines"].size(), 2u);

  // Nothing but headings, comments and left-out lines: no deck is written.
  const std::string empty = dir.Write("empty.txt", "Deck:\n// none\n\nSideboard\n4 Koan Ice\n");
  const Result refused = RunOnSamples("import", {empty, "-o", dir.File("new.txt")});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "'" + empty + "' holds no card lines.\n");
  const Result refusedJson = RunOnSamples("import", {empty, "-o", dir.File("new.txt"), "--json"});
  EXPECT_EQ(refusedJson.code, 1);
  EXPECT_EQ(ordered_json::parse(refusedJson.out),
            ordered_json({{"Error", "'" + empty + "' holds no card lines."}}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.txt")));

  const std::string large = dir.Write("large.txt", std::string((16 << 20) + 1, '\n'));
  const Result tooLarge = RunOnSamples("import", {large, "-o", dir.File("new.txt")});
  EXPECT_EQ(tooLarge.code, 1);
  EXPECT_EQ(tooLarge.err, large + ": too large for a deck list (over 16 MB)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.txt")));
}

TEST(NamesCommandsTest, ExportPrintsWhatImportReadsBack) {
  const quillet::test::TempDir dir;
  const std::string original = quillet::test::TempDir::Read(SampleDeck("un-golani.txt"));
  const std::string deck = dir.Write("deck.txt", "$A\tHarness Bull\r\n" + original);
  const Result exported = test::RunCommand("export", {deck}, dir.path());
  EXPECT_EQ(exported.code, 0) << exported.err;
  EXPECT_TRUE(exported.out.starts_with("10 Harness Bull\n")) << exported.out;

  const Result plain = test::RunCommand("export", {SampleDeck("un-golani.txt")}, dir.path());
  const std::string list = dir.Write("list.txt", plain.out);
  const Result imported = RunOnSamples("import", {list, "-o", dir.File("back.txt")});
  EXPECT_EQ(imported.code, 0) << imported.out << imported.err;
  EXPECT_EQ(quillet::test::TempDir::Read(dir.File("back.txt")), original);

  const Result invalid = test::RunCommand("export", {SampleDeck("not-a-deck.txt")}, dir.path());
  EXPECT_EQ(invalid.code, 1);
  EXPECT_EQ(invalid.err, "File '" + SampleDeck("not-a-deck.txt") + "' is not a valid deck file.\n");
  EXPECT_EQ(test::RunCommand("export", {}, dir.path()).code, 2);
}

}  // namespace
}  // namespace quillet::cli
