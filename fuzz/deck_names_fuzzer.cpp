// Any deck bytes: its unfound lines are listed without a crash, the sure
// ones renamed, and the renaming changes nothing but the names it was asked
// to change: the same lines, the same count fields and line ends, every
// other name as it was, each fixed line now found. The export of any deck
// the reader accepts has one line per deck line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/str_to_int.h"
#include "core/deck_edit/deck_edit.h"
#include "core/names/deck_list_export.h"
#include "core/names/deck_names.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view deck(reinterpret_cast<const char*>(data), size);
  static const SuggestionIndex cards(
      std::vector<std::string>{"Koan Ice", "Harness Bull", "Mirror", "MIRROR", "A"});

  std::vector<UnfoundLine> unfound;
  try {
    unfound = UnfoundDeckLines(deck, cards);
  } catch (const ConvertError&) {
    return 0;  // the deck reader refuses it, and so does everything here
  }
  const std::string list = ExportDeckList(deck);
  const std::vector<DeckLineSpan> lines = SplitDeckLines(deck);
  Check(static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) >= lines.size());

  const std::vector<NameFix> fixes = SureFixes(unfound);
  std::string fixed;
  try {
    fixed = ReplaceDeckNames(deck, fixes);
  } catch (const DeckEditError&) {
    return 0;  // a last line without a TAB has no name to replace
  }
  const std::vector<DeckLineSpan> after = SplitDeckLines(fixed);
  Check(after.size() == lines.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const DeckLineSpan& a = lines[i];
    const DeckLineSpan& b = after[i];
    Check(deck.substr(a.begin, a.nameBegin - a.begin) ==
          std::string_view(fixed).substr(b.begin, b.nameBegin - b.begin));
    Check(deck.substr(a.nameEnd, a.end - a.nameEnd) ==
          std::string_view(fixed).substr(b.nameEnd, b.end - b.nameEnd));
    const std::string_view name =
        std::string_view(fixed).substr(b.nameBegin, b.nameEnd - b.nameBegin);
    if (next < fixes.size() && fixes[next].line == i + 1) {
      Check(name == fixes[next].name && cards.Has(name));
      ++next;
    } else {
      Check(name == deck.substr(a.nameBegin, a.nameEnd - a.nameBegin));
    }
  }
  Check(next == fixes.size());
  return 0;
}
