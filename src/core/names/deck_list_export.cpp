#include "core/names/deck_list_export.h"

#include "core/card_data/str_to_int.h"
#include "core/card_data/text_util.h"
#include "core/deck_edit/deck_edit.h"

namespace quillet {

std::string ExportDeckList(std::string_view deck) {
  std::string out;
  for (const DeckLineSpan& line : SplitDeckLines(deck)) {
    const std::int32_t count = StrToInt(deck.substr(line.begin, line.countEnd - line.begin));
    out += std::to_string(count);
    out += ' ';
    out += Cp1252ToUtf8(deck.substr(line.nameBegin, line.nameEnd - line.nameBegin));
    out += '\n';
  }
  return out;
}

}  // namespace quillet
