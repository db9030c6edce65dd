#include "core/names/deck_list_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/names/deck_list_export.h"

namespace quillet {
namespace {

struct FormCase {
  std::string line;
  bool card;
  std::int32_t count;
  std::string name;
};

FormCase Card(std::string line, std::int32_t count, std::string name) {
  return {std::move(line), true, count, std::move(name)};
}
FormCase Skip(std::string line) {
  return {std::move(line), false, 0, ""};
}

TEST(DeckListImportTest, EveryFormAndItsEdges) {
  const std::vector<FormCase> cases = {
      Card("4\tKoan Ice", 4, "Koan Ice"),
      Card(" \xA0"
           "4\t \tKoan Ice \t",
           4, "Koan Ice"),
      Card("4 Koan Ice", 4, "Koan Ice"),
      Card("4  \xA0Koan Ice", 4, "Koan Ice"),
      Card("4x Koan Ice", 4, "Koan Ice"),
      Card("4X\tKoan Ice", 4, "Koan Ice"),
      Card("4\xD7 Koan Ice", 4, "Koan Ice"),
      Card("Koan Ice x4", 4, "Koan Ice"),
      Card("Koan Ice  X4", 4, "Koan Ice"),
      Card("Koan Ice\t\xD7"
           "12",
           12, "Koan Ice"),
      Card("0 Koan Ice", 0, "Koan Ice"),
      Card("Koan Ice x0", 0, "Koan Ice"),
      Card("9999 Koan Ice", 9999, "Koan Ice"),
      Card("Koan Ice x9999", 9999, "Koan Ice"),
      Card("0004 Koan Ice", 4, "Koan Ice"),
      // Five digits are no count.
      Card("10000 Koan Ice", 1, "10000 Koan Ice"),
      Card("Koan Ice x10000", 1, "Koan Ice x10000"),
      // A name that starts with a digit, or ends like a count.
      Card("7th Legion", 1, "7th Legion"),
      Card("2 7th Legion", 2, "7th Legion"),
      Card("3x 2x Unit", 3, "2x Unit"),
      Card("Unit x2", 2, "Unit"),
      Card("Dex2", 1, "Dex2"),
      Card("4 Unit x2", 4, "Unit x2"),
      Card("Unit x 2", 1, "Unit x 2"),
      Card("x3", 1, "x3"),
      Card("4x", 1, "4x"),
      Card("4xKoan", 1, "4xKoan"),
      Card("3", 1, "3"),
      Card("3\t", 1, "3"),
      Card("/ Slash", 1, "/ Slash"),
      Card("Colon: inside", 1, "Colon: inside"),
      Skip(""),
      Skip(" \t\xA0"),
      Skip("# 4 Koan Ice"),
      Skip("// Assets"),
      Skip("Assets:"),
      Skip("Bases (11):  "),
  };
  for (const FormCase& c : cases) {
    const std::vector<ListLine> lines = ReadDeckList(c.line + "\r\n");
    ASSERT_EQ(lines.size(), 1u) << c.line;
    EXPECT_EQ(lines[0].card, c.card) << c.line;
    EXPECT_EQ(lines[0].count, c.count) << c.line;
    EXPECT_EQ(lines[0].name, c.name) << c.line;
  }
}

TEST(DeckListImportTest, LinesEndAtLineFeeds) {
  const auto texts = [](std::string_view bytes) {
    std::vector<std::string> out;
    for (const ListLine& line : ReadDeckList(bytes)) out.push_back(line.text);
    return out;
  };
  using Texts = std::vector<std::string>;
  EXPECT_EQ(texts(""), Texts{});
  EXPECT_EQ(texts("a"), Texts{"a"});
  EXPECT_EQ(texts("a\r\n\r\n b \n\r"), (Texts{"a", "", "b"}));
  // Only a CR at a line's end goes; others are content.
  EXPECT_EQ(texts("a\rb\r\r\nc"), (Texts{"a\rb\r", "c"}));
  EXPECT_EQ(ReadDeckList("a\n\nb").back().line, 3u);
}

TEST(DeckListImportTest, BytesBecomeWindows1252) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"S\xC3\xA9"
       "ance",
       "S\xE9"
       "ance"},
      {"\xEF\xBB\xBFKoan", "Koan"},
      {"Hunter\xE2\x80\x99s \xE2\x82\xAC", "Hunter\x92s \x80"},
      {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D"},
      {"snow\xE2\x98\x83 \xF0\x9F\x98\x80", "snow? ?"},
      {"\xC3\x97", "\xD7"},
      // Not UTF-8: the bytes as they are, a BOM included.
      {"S\xE9"
       "ance",
       "S\xE9"
       "ance"},
      {"\xEF\xBB\xBFS\xE9", "\xEF\xBB\xBFS\xE9"},
      {"\xC0\xAF", "\xC0\xAF"},
      {"\xED\xA0\x80", "\xED\xA0\x80"},
  };
  for (const auto& [raw, cp1252] : cases) EXPECT_EQ(ListBytesAsCp1252(raw), cp1252) << raw;
}

TEST(DeckListImportTest, NamesAreSettledMergedAndNeverDropped) {
  const SuggestionIndex cards({"Koan Ice", "Harness Bull", "Mirror", "MIRROR"});
  const ImportedDeck deck = ImportDeckList(
      "Assets:\n4x harness bull\n2 Koan Ice\nKoan Ic x1\n1 mirror\nZzyzx\n\n3 HARNESS BULL\n",
      cards);
  using Match = NameMatch;
  const std::vector<std::pair<std::string, Match>> want = {
      {"Harness Bull", Match::Loose}, {"Koan Ice", Match::Exact}, {"Koan Ice", Match::Near},
      {"mirror", Match::None},        {"Zzyzx", Match::None},     {"Harness Bull", Match::Loose}};
  ASSERT_EQ(deck.lines.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(deck.lines[i].name, want[i].first) << i;
    EXPECT_EQ(deck.lines[i].match, want[i].second) << i;
  }
  EXPECT_EQ(deck.lines[3].text, "1 mirror");
  EXPECT_EQ(deck.skipped, (std::vector<std::size_t>{1, 7}));
  EXPECT_FALSE(deck.AllMatched());
  EXPECT_EQ(DeckFileBytes(deck.entries),
            "7\tHarness Bull\r\n3\tKoan Ice\r\n1\tmirror\r\n1\tZzyzx\r\n");
}

// Export, then import: the same deck, byte for byte, for any deck of found,
// distinct names that read back as names, with counts 0 to 9999.
TEST(DeckListImportTest, ExportThenImportGivesTheSameBytes) {
  std::mt19937 random(3);
  const auto pick = [&random](int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(random);
  };
  const auto randomName = [&] {
    std::string name;
    const int size = pick(1, 20);
    for (int k = 0; k < size; ++k) {
      // Digits, x and blanks often, so names look like counts; any byte
      // but a line end otherwise.
      char c = "0123x \t\xA0\xD7#:/"[pick(0, 11)];
      if (pick(0, 2) == 0) c = static_cast<char>(pick(0, 255));
      if (c != '\r' && c != '\n') name += c;
    }
    while (!name.empty() && IsListBlank(name.back())) name.pop_back();
    while (!name.empty() && IsListBlank(name.front())) name.erase(0, 1);
    const bool readsBack =
        !name.empty() && !name.starts_with('#') && !name.starts_with("//") && !name.ends_with(':');
    return readsBack ? name : std::string("Plain ") + std::to_string(pick(0, 99999));
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> names;
    std::string deck;
    const int lines = pick(0, 12);
    for (int k = 0; k < lines; ++k) {
      const std::string name = randomName();
      if (std::find(names.begin(), names.end(), name) != names.end()) continue;
      names.push_back(name);
      deck += std::to_string(pick(0, 9999)) + "\t" + name + "\r\n";
    }
    const SuggestionIndex cards(names);
    const ImportedDeck imported = ImportDeckList(ExportDeckList(deck), cards);
    ASSERT_TRUE(imported.AllMatched()) << deck;
    ASSERT_EQ(DeckFileBytes(imported.entries), deck);
  }
}

}  // namespace
}  // namespace quillet
