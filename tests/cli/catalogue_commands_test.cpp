// End to end over the sample data: search, add and remove run in-process on
// a database built from samples/cards.txt, the edits on a copy of a sample
// deck, compared byte for byte.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "sample_data.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using test::kSamples;
using test::Result;

// Every command runs over the sample database that the CLI tests share.
class CatalogueCommandsTest : public ::testing::Test {
 protected:
  static Result Run(const std::string& command, const Args& args) {
    return test::RunCommand(command, args, test::SampleData());
  }
};

TEST_F(CatalogueCommandsTest, SearchListsTheMatchingCardsInDatabaseOrder) {
  struct Case {
    Args args;
    std::string names;
  };
  const std::vector<Case> cases = {
      // Accented capitals fold like A-Z, typed in UTF-8.
      {{"S\xC3\x89"
        "ANCE"},
       "S\xC3\xA9"
       "ance Broker\n"},
      {{"\xC3\xA9g\xC3\xA9"}, "Prot\xC3\xA9g\xC3\xA9 Lattice\n"},
      // The rules text only with --in-text; its match keeps database order.
      {{"deleted"}, ""},
      {{"Contract"},
       "Arms Export Contract\nCovert Ops Contract\nSecurity Contractor\n"
       "Software Maintenance Contract\nYakusa Contract\n"},
      {{"contract", "--in-text", "--type", "Asset"}, "Los Ladrones Biker\nSecurity Contractor\n"},
      {{"--type", "HQ", "--domain", "Monastery"}, "Bion HQ\n"},
      {{"--type", "Intervention", "--rarity", "Uncommon", "--keyword", "Direct"},
       "Air Strike\nArms Export Contract\nCovert Ops Contract\nSoftware Maintenance Contract\n"
       "Yakusa Contract\n"},
      {{"--keyword", "$Voodoo"},
       "S\xC3\xA9"
       "ance Broker\n"},
      {{"zzz"}, ""},
  };
  for (const Case& c : cases) {
    const Result r = Run("search", c.args);
    EXPECT_EQ(r.code, 0) << c.args.front() << r.err;
    EXPECT_EQ(r.out, c.names) << c.args.front();
  }
}

TEST_F(CatalogueCommandsTest, SearchJsonIsTheListOfCardObjects) {
  // Air Strike, the database's first card, among them.
  const Result r = Run("search", {"--type", "Intervention", "--keyword", "Direct", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto list = nlohmann::ordered_json::parse(r.out);
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), 9u);
  for (const auto& card : list) {
    const Result one = Run("card", {card["CardName"].get<std::string>(), "--json"});
    EXPECT_EQ(card, nlohmann::ordered_json::parse(one.out)) << one.out;
  }
  EXPECT_EQ(Run("search", {"zzz", "--json"}).out, "[]\n");
}

TEST_F(CatalogueCommandsTest, AWordTheReaderNeverShowsIsAUsageError) {
  for (const Args& args : {Args{"--type", "Hero"}, Args{"--domain", "monastery"},
                           Args{"--rarity", "Promo"}, Args{"--keyword", "Voodoo"}}) {
    const Result r = Run("search", args);
    EXPECT_EQ(r.code, 2) << args.back();
    EXPECT_NE(r.err.find("'" + args.back() + "'"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(CatalogueCommandsTest, AddAndRemoveEditTheDeckByteForByte) {
  const std::string original = quillet::test::TempDir::Read(kSamples + "decks/monastery-bion.txt");
  struct Case {
    std::string command;
    Args args;  // after DECK
    int code;
    std::string out, err;
    std::string before, after;  // the deck's change; no `before`: appended
  };
  const std::string seance =
      "S\xC3\xA9"
      "ance Broker";
  const std::vector<Case> cases = {
      {"add", {"Bion HQ"}, 0, "2\tBion HQ\n", "", "1\tBion HQ\r\n", "2\tBion HQ\r\n"},
      {"add",
       {seance, "--count", "3"},
       0,
       "3\t" + seance + "\n",
       "",
       "",
       "3\tS\xE9"
       "ance Broker\r\n"},
      {"remove",
       {"Bion Acolyte", "--count", "2"},
       0,
       "1\tBion Acolyte\n",
       "",
       "3\tBion Acolyte",
       "1\tBion Acolyte"},
      {"remove", {"Bion HQ"}, 0, "0\tBion HQ\n", "", "1\tBion HQ\r\n", ""},
      {"remove", {"Bion HQ", "--count", "5"}, 0, "0\tBion HQ\n", "", "1\tBion HQ\r\n", ""},
      // A name no card has is named, with the cards near it.
      {"add",
       {"Bion hq"},
       1,
       "",
       "No Such Card!\n'Bion hq' is not a card name; did you mean: Bion HQ?\n",
       "",
       ""},
      {"add",
       {"S\xC3\xA9"
        "ance Brokr"},
       1,
       "",
       "No Such Card!\n'S\xC3\xA9"
       "ance Brokr' is not a card name; did you mean: " +
           seance + "?\n",
       "",
       ""},
      {"remove",
       {"Zzqxw Vorp"},
       1,
       "",
       "No Such Card!\n'Zzqxw Vorp' is not a card name; no card name is near it.\n",
       "",
       ""},
      {"remove", {seance}, 1, "", "'" + seance + "' is not in the deck.\n", "", ""},
      {"add", {"Bion HQ", "--count", "0"}, 2, "", "", "", ""},
      {"remove", {"Bion HQ", "--count", "-1"}, 2, "", "", "", ""},
  };
  for (const Case& c : cases) {
    quillet::test::TempDir dir;
    const std::string deck = dir.Write("deck.txt", original);
    Args args{deck};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result r = Run(c.command, args);
    const std::string what = c.command + " " + c.args.front();
    EXPECT_EQ(r.code, c.code) << what << r.err;
    EXPECT_EQ(r.out, c.out) << what;
    if (c.code != 2) {
      EXPECT_EQ(r.err, c.err) << what;
    }
    std::string expected = original;
    if (c.before.empty()) {
      expected += c.after;
    } else {
      expected.replace(expected.find(c.before), c.before.size(), c.after);
    }
    EXPECT_EQ(quillet::test::TempDir::Read(deck), expected) << what;
  }
}

TEST_F(CatalogueCommandsTest, AnInvalidOrMissingDeckIsRefusedUnchanged) {
  quillet::test::TempDir dir;
  const std::string original = quillet::test::TempDir::Read(kSamples + "decks/not-a-deck.txt");
  const std::string deck = dir.Write("deck.txt", original);
  Result r = Run("add", {deck, "Bion HQ"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err.rfind("The deck file is not valid", 0), 0u) << r.err;
  EXPECT_EQ(quillet::test::TempDir::Read(deck), original);

  // Every line reads, but the deck's total leaves the integer range, so the
  // analysis refuses it: the edit must refuse it too.
  const std::string overflowing = "2000000000\tBion HQ\r\n2000000000\tKoan Ice\r\n";
  const std::string huge = dir.Write("huge.txt", overflowing);
  r = Run("add", {huge, "Koan Ice"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "The deck file is not valid, so it was not changed.\n");
  EXPECT_EQ(quillet::test::TempDir::Read(huge), overflowing);

  r = Run("remove", {dir.File("none.txt"), "Bion HQ"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err.rfind(dir.File("none.txt") + ": ", 0), 0u) << r.err;
}

}  // namespace
}  // namespace quillet::cli
