// The deck file and the analysed deck's lines. A deck file is plain 8-bit
// text, one card a line: the count, a TAB, the card's name, a line end.
// SplitDeckLine parses one line from a byte reader; the analysis keeps the
// found lines as TDeckEntry, in file order, each with the record it found.
// Everything computed from the analysis afterwards (figures, pile, report,
// lists) reads those records rather than looking the names up again: where
// CardStat.Dat holds a name twice, a second lookup from another cache
// position could find the other record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_record.h"

namespace quillet {

// One deck line whose card was found: the count as read, the card's name as
// its record stores it, and the record itself with its number in
// CardStat.Dat (-1 for an entry that no analysis made).
struct TDeckEntry {
  std::int32_t Count = 0;
  std::string Name;
  std::int32_t Record = -1;
  TCardRecord Card{};
};

// One line of a deck file, split into its two fields.
struct DeckLine {
  std::string countField;  // every byte before the first TAB
  std::string name;        // after the TAB, up to the line end
};

// Splits off the next line. The count field runs to the first TAB (a line
// without one runs on into the next, whose count then fails the integer rule);
// the name runs to the first CR or LF or the end of the file. CR LF, a lone CR
// and a lone LF each end a line.
DeckLine SplitDeckLine(ByteReader& deck);

}  // namespace quillet
