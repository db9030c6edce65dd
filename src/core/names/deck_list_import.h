// A deck list in any common form (a forum post, a chat, another tool's
// export) read into a deck file. The bytes become Windows-1252 (UTF-8 when
// they are strictly UTF-8, else taken as they are), the lines are trimmed
// and sorted into skipped ones (empty, comments, headings) and card lines,
// each card line's count and name are read by the first form that fits,
// names no card has are replaced by a sure suggestion, and lines naming the
// same card are merged. No card line is ever dropped: a name nothing fits is
// kept as written and reported.
//
// ReadDeckList is the pure parser; ImportDeckList adds the matching and the
// merge; DeckFileBytes renders the result in the deck file's own form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/names/name_suggestions.h"

namespace quillet {

// `raw` as Windows-1252 bytes: strictly valid UTF-8 (a leading BOM dropped)
// is encoded character by character, '?' for a character without a byte;
// anything else is taken as it is.
std::string ListBytesAsCp1252(std::string_view raw);

// The bytes that count as blanks in a list: space, TAB, no-break space.
bool IsListBlank(char c);

struct ListLine {
  std::size_t line = 0;  // from 1
  std::string text;      // trimmed, Windows-1252
  bool card = false;     // false: empty, a comment or a heading
  std::int32_t count = 0;
  std::string name;  // trimmed; empty for a skipped line
};

// Every line of `cp1252`, card lines with their count and name.
std::vector<ListLine> ReadDeckList(std::string_view cp1252);

// How a card line's name was settled.
enum class NameMatch { Exact, Loose, Near, None };
std::string_view NameMatchWord(NameMatch match);

struct ImportedLine {
  std::size_t line = 0;
  std::string text;
  std::int32_t count = 0;
  std::string name;  // the name written to the deck
  NameMatch match = NameMatch::None;
};

struct DeckEntry {
  std::int64_t count = 0;
  std::string name;
};

struct ImportedDeck {
  std::vector<ImportedLine> lines;   // the card lines, in list order
  std::vector<std::size_t> skipped;  // the empty, comment and heading lines
  std::vector<DeckEntry> entries;    // merged by name, at the first line's place
  bool AllMatched() const;
};

// Reads `raw` (any bytes) and settles every card line's name against
// `cards`.
ImportedDeck ImportDeckList(std::string_view raw, const SuggestionIndex& cards);

// "COUNT<TAB>NAME<CR><LF>" per entry. Throws DeckEditError (the deck
// editor's refusal) when a merged count leaves the range a deck file holds.
std::string DeckFileBytes(const std::vector<DeckEntry>& entries);

// Writes `bytes` to `path` through the one atomic write. Throws IoError.
void WriteDeckFile(const std::string& path, std::string_view bytes);

}  // namespace quillet
