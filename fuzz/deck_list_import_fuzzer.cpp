// Any bytes import as a deck list without a crash or undefined behaviour,
// and what comes out holds together: every line is skipped, a card line or
// left out, none is lost, no line holds a line end, counts stay within four digits, names are
// trimmed and never empty, every card line lands in one merged entry with the copies added up, the
// deck written from the entries reads back through the deck reader as those entries, and as the
// same deck through the export and the import.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/str_to_int.h"
#include "core/deck_edit/deck_edit.h"
#include "core/names/deck_list_export.h"
#include "core/names/deck_list_import.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view raw(reinterpret_cast<const char*>(data), size);

  // A few cards, so that every kind of match is reached.
  static const SuggestionIndex cards(
      std::vector<std::string>{"Koan Ice", "Harness Bull", "Mirror", "MIRROR", "7th Legion"});
  if (size > kMaxDeckListSize) return 0;
  const ImportedDeck deck = ImportDeckList(std::string(raw), cards);

  const std::string text = ListBytesAsCp1252(raw);
  Check(deck.list == text);
  const std::vector<ListLine> lines = ReadDeckList(text);
  Check(lines.size() == deck.lines.size() + deck.skipped.size() + deck.leftOut.size());
  std::size_t at = 0;
  std::int64_t copies = 0;
  auto imported = deck.lines.begin();
  for (const ListLine& line : lines) {
    Check(line.line == ++at);
    Check(line.text.find_first_of("\r\n") == std::string_view::npos);
    if (line.kind != LineKind::Card) continue;
    Check(line.count >= 0 && line.count <= 9999);
    Check(!line.name.empty() && !IsListBlank(line.name.front()) && !IsListBlank(line.name.back()));
    Check(imported != deck.lines.end() && imported->line == line.line &&
          deck.Text(*imported) == line.text && imported->count == line.count);
    ++imported;
    copies += line.count;
  }
  std::int64_t merged = 0;
  for (const DeckEntry& entry : deck.entries) merged += entry.count;
  Check(merged == copies);
  Check(deck.entries.size() <= deck.lines.size());

  std::string written;
  try {
    written = DeckFileBytes(deck.entries);
  } catch (const std::exception&) {
    return 0;  // more copies of one card than a deck file holds
  }
  // The deck reader reads every entry back as written: no name holds a
  // line end.
  const std::vector<DeckLineSpan> spans = SplitDeckLines(written);
  Check(spans.size() == deck.entries.size());
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const std::string_view name =
        std::string_view(written).substr(spans[i].nameBegin, spans[i].nameEnd - spans[i].nameBegin);
    Check(name == deck.entries[i].name);
    Check(TryStrToInt(std::string_view(written).substr(
              spans[i].begin, spans[i].countEnd - spans[i].begin)) == deck.entries[i].count);
  }
  // A deck of found names the import wrote exports and imports back as it
  // was, while its merged counts stay within what a list line holds.
  if (!deck.AllMatched()) return 0;
  for (const DeckEntry& entry : deck.entries) {
    if (entry.count > 9999) return 0;
  }
  const ImportedDeck again = ImportDeckList(ExportDeckList(written), cards);
  Check(DeckFileBytes(again.entries) == written);
  return 0;
}
