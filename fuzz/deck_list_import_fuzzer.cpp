// Any bytes import as a deck list without a crash or undefined behaviour,
// and what comes out holds together: every line is either skipped or a card
// line, none is lost, counts stay within four digits, names are trimmed and
// never empty, every card line lands in one merged entry with the copies
// added up, and the deck written from the entries reads back as the same
// deck through the export and the import.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
  const ImportedDeck deck = ImportDeckList(raw, cards);

  const std::string text = ListBytesAsCp1252(raw);
  const std::vector<ListLine> lines = ReadDeckList(text);
  Check(lines.size() == deck.lines.size() + deck.skipped.size());
  std::size_t at = 0;
  std::int64_t copies = 0;
  for (const ListLine& line : lines) {
    Check(line.line == ++at);
    if (!line.card) continue;
    Check(line.count >= 0 && line.count <= 9999);
    Check(!line.name.empty() && !IsListBlank(line.name.front()) && !IsListBlank(line.name.back()));
    Check(line.text.find('\n') == std::string::npos);
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
