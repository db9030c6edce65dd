#include "core/names/deck_list_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/card_data/io_error.h"
#include "core/card_data/safe_file.h"
#include "core/card_data/str_to_int.h"
#include "core/deck_edit/deck_edit.h"
#include "core/names/deck_list_export.h"
#include "support/temp_dir.h"

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
    const std::string list = c.line + "\r\n";  // the lines view it
    const std::vector<ListLine> lines = ReadDeckList(list);
    ASSERT_EQ(lines.size(), 1u) << c.line;
    EXPECT_EQ(lines[0].kind == LineKind::Card, c.card) << c.line;
    EXPECT_EQ(lines[0].count, c.count) << c.line;
    EXPECT_EQ(lines[0].name, c.name) << c.line;
  }
}

TEST(DeckListImportTest, LinesEndAtCrLfAndCrLf) {
  const auto texts = [](std::string_view bytes) {
    std::vector<std::string> out;
    for (const ListLine& line : ReadDeckList(bytes)) out.push_back(std::string(line.text));
    return out;
  };
  using Texts = std::vector<std::string>;
  EXPECT_EQ(texts(""), Texts{});
  EXPECT_EQ(texts("a"), Texts{"a"});
  EXPECT_EQ(texts("\r"), Texts{""});
  EXPECT_EQ(texts("a\n\r"), (Texts{"a", ""}));
  EXPECT_EQ(texts("a\r\n\r\n b \n\r"), (Texts{"a", "", "b", ""}));
  EXPECT_EQ(texts("a\rb\r\r\nc"), (Texts{"a", "b", "", "c"}));
  EXPECT_EQ(texts("4 Koan Ice\r2 Bion Acolyte\r"), (Texts{"4 Koan Ice", "2 Bion Acolyte"}));
  EXPECT_EQ(ReadDeckList("a\n\rb").back().line, 3u);
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
    EXPECT_EQ(deck.Name(deck.lines[i]), want[i].first) << i;
    EXPECT_EQ(deck.lines[i].match, want[i].second) << i;
  }
  EXPECT_EQ(deck.Text(deck.lines[3]), "1 mirror");
  EXPECT_EQ(deck.skipped, (std::vector<std::uint32_t>{1, 7}));
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

TEST(DeckListImportTest, SideSectionsAreLeftOut) {
  const std::vector<std::pair<std::string, bool>> headings = {
      {"Sideboard:", true},
      {"Sideboard (15):", true},
      {"Maybeboard 3", true},
      {"side", true},
      {"SB:", true},
      {"MAYBE(2)", true},
      {"Considering :", true},
      {"sb 12:", true},
      {"Sideboard3", false},
      {"Sideboards:", false},
      {"Side (x):", false},
      {"Assets:", false},
      {"Main (40):", false},
      {"Side Effects", false},
      {"Sideboard (15)(2)", false},
  };
  const SuggestionIndex cards({"Koan Ice", "Sideboard3"});
  for (const auto& [heading, side] : headings) {
    // A card line after the heading is left out only under a side heading;
    // a heading that is no side heading ends the section.
    const ImportedDeck deck = ImportDeckList("Sideboard\n" + heading + "\n2 Koan Ice\n", cards);
    const bool cardLine = !heading.ends_with(':') && !side;
    EXPECT_EQ(deck.leftOut.size(), side ? 1u : cardLine ? 2u : 0u) << heading;
    EXPECT_EQ(deck.lines.size(), side || cardLine ? 0u : 1u) << heading;
  }

  const ImportedDeck deck = ImportDeckList(
      "Deck:\n4 Koan Ice\nsb: 2 Koan Ice\n\nSideboard (2):\n# a comment\n1 Koan Ice\n"
      "Koan Ice x3\nSB: x\nMaybe:\n2 Koan Ice\nAssets:\n1 Koan Ice\nSB:2 Koan Ice\n",
      cards);
  std::vector<std::uint32_t> cardLines;
  for (const ImportedLine& line : deck.lines) cardLines.push_back(line.line);
  EXPECT_EQ(cardLines, (std::vector<std::uint32_t>{2, 13}));
  EXPECT_EQ(deck.skipped, (std::vector<std::uint32_t>{1, 4, 5, 6, 10, 12}));
  EXPECT_EQ(deck.LeftOutNumbers(), (std::vector<std::uint32_t>{3, 7, 8, 9, 11, 14}));
  ASSERT_EQ(deck.leftOut.size(), 6u);
  EXPECT_EQ(deck.Text(deck.leftOut[0]), "sb: 2 Koan Ice");
  EXPECT_EQ(DeckFileBytes(deck.entries), "5\tKoan Ice\r\n");
}

// The lines the deck reader reads from `deck`, as entries; nullopt when it
// would refuse one (a count field that is no integer).
std::optional<std::vector<DeckEntry>> ReadBack(std::string_view deck) {
  std::vector<DeckEntry> entries;
  for (const DeckLineSpan& line : SplitDeckLines(deck)) {
    const auto count = TryStrToInt(deck.substr(line.begin, line.countEnd - line.begin));
    if (!count) return std::nullopt;
    entries.push_back(
        DeckEntry{*count, std::string(deck.substr(line.nameBegin, line.nameEnd - line.nameBegin))});
  }
  return entries;
}

// Whatever the source, the deck written reads back through the deck reader
// as the very entries the import made.
TEST(DeckListImportTest, ImportedDecksAlwaysReadBack) {
  std::mt19937 random(11);
  const auto pick = [&random](int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(random);
  };
  const SuggestionIndex cards({"Koan Ice", "Bion Acolyte", "4 Lanterns"});
  using namespace std::string_view_literals;
  constexpr std::string_view kOften = "\r\n\t\0 0123456789x:#/\xA0\xD7\xC3\xA9KoanIceSB"sv;
  for (int round = 0; round < 3000; ++round) {
    std::string source;
    const int size = pick(0, 60);
    for (int k = 0; k < size; ++k) {
      source += pick(0, 3) == 0 ? static_cast<char>(pick(0, 255))
                                : kOften[pick(0, static_cast<int>(kOften.size()) - 1)];
    }
    const ImportedDeck imported = ImportDeckList(source, cards);
    const std::string deck = DeckFileBytes(imported.entries);
    const auto back = ReadBack(deck);
    ASSERT_TRUE(back) << testing::PrintToString(source);
    ASSERT_EQ(back->size(), imported.entries.size()) << testing::PrintToString(source);
    for (std::size_t i = 0; i < back->size(); ++i) {
      EXPECT_EQ((*back)[i].count, imported.entries[i].count) << testing::PrintToString(source);
      EXPECT_EQ((*back)[i].name, imported.entries[i].name) << testing::PrintToString(source);
    }
  }
}

// A source that never ends, counting what was read of it.
class EndlessSource final : public ByteSource {
 public:
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    std::fill_n(buffer, size, std::uint8_t{'\n'});
    read += size;
    return size;
  }
  std::size_t read = 0;
};

TEST(DeckListImportTest, ASourceIsReadUpToItsLimit) {
  EndlessSource endless;
  EXPECT_FALSE(ReadDeckListSource(endless));
  EXPECT_EQ(endless.read, kMaxDeckListSize + 1);

  const std::string full(kMaxDeckListSize, '\n');
  MemorySource atLimit(full);
  const auto read = ReadDeckListSource(atLimit);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, full);
  EXPECT_THROW(ImportDeckList(full + "\n", SuggestionIndex(std::vector<std::string>{})),
               std::length_error);
}

// A deck another writer holds is replaced only once that writer is done,
// so that the edit it makes is not lost under the import.
TEST(DeckListImportTest, ReplacingADeckWaitsForItsLock) {
  const quillet::test::TempDir dir;
  const std::string deck = dir.Write("deck.txt", "1\tKoan Ice\r\n");
  std::atomic<bool> written = false;
  std::thread import;
  {
    const FileLock held(deck);
    import = std::thread([&] {
      WriteDeckFile(deck, "4\tBion Acolyte\r\n", true);
    written = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(written);
  EXPECT_EQ(quillet::test::TempDir::Read(deck), "1\tKoan Ice\r\n");
}
import.join();
EXPECT_EQ(quillet::test::TempDir::Read(deck), "4\tBion Acolyte\r\n");
}  // namespace

}  // namespace quillet
}  // namespace quillet
