// The deck file and the analysed deck. A deck file is plain 8-bit text, one
// card a line: the count, a TAB, the card's name, a line end. ReadDeckLine
// parses one line from a byte reader and looks its card up; the analysis keeps
// the found lines as DeckList, in file order, each with the record it found.
// Everything computed from the analysis afterwards (figures, pile, report,
// lists) reads those records rather than looking the names up again: where
// CardStat.Dat holds a name twice, a second lookup from another cache
// position could find the other record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"

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

struct DeckState {
  std::vector<TDeckEntry> DeckList;
  std::int32_t DeckCount = 0;  // entries of DeckList that describe the deck on display
  std::int32_t CardCount = 0;  // the copies of the line being processed
  std::string DeckFileName;    // the deck on display; empty: no deck loaded
  // CardStat.Dat as the analysis found DeckList's records in it.
  std::optional<CardFileState> CardFile;
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

// Reads the next line: sets `deck.CardCount` and looks the name up. Returns
// nullopt when the card was found (it then stands in db.CurrentCard), else
// the name as read (which may be empty). Throws ConvertError for an invalid
// count field and IoError when a file cannot be read.
std::optional<std::string> ReadDeckLine(ByteReader& reader, CardDatabase& db, DeckState& deck);

}  // namespace quillet
