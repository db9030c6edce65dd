// A deck list in any common form (a forum post, a chat, another tool's
// export) read into a deck file. The bytes become Windows-1252 (UTF-8 when
// they are strictly UTF-8, else taken as they are), the lines are trimmed
// and sorted into skipped ones (empty, comments, headings), card lines and
// the card lines of a sideboard, which are left out of the deck; each card
// line's count and name are read by the first form that fits, names no card
// has are replaced by a sure suggestion, and lines naming the same card are
// merged. No card line is dropped in silence: a name nothing fits is kept as
// written, and both it and every line left out are reported.
//
// ReadDeckList is the pure parser; ImportDeckList adds the matching and the
// merge; DeckFileBytes renders the result in the deck file's own form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/byte_source.h"
#include "core/card_data/safe_file.h"
#include "core/names/name_suggestions.h"

namespace quillet {

// `raw` as Windows-1252 bytes: strictly valid UTF-8 (a leading BOM dropped)
// is encoded character by character, '?' for a character without a byte;
// anything else is taken as it is.
std::string ListBytesAsCp1252(std::string_view raw);

// The bytes that count as blanks in a list: space, TAB, no-break space.
bool IsListBlank(char c);

// A list larger than this is no deck list (a log, a device, a wrong file),
// and reading one whole would only fill the memory.
inline constexpr std::size_t kMaxDeckListSize = std::size_t{16} * 1024 * 1024;
inline constexpr std::string_view kDeckListTooLarge = "too large for a deck list (over 16 MB)";

// The whole of `source`, reading at most kMaxDeckListSize + 1 bytes of it:
// nullopt when it holds more than kMaxDeckListSize. Throws IoError.
std::optional<std::string> ReadDeckListSource(ByteSource& source);

// How a line of a list is taken. A side heading ("Sideboard:", "Maybe (3)")
// starts a section whose card lines are left out of the deck, up to the next
// other heading; a line starting "SB:" is left out wherever it stands.
enum class LineKind : std::uint8_t { Skipped, Card, LeftOut };

struct ListLine {
  std::size_t line = 0;   // from 1
  std::string_view text;  // trimmed, Windows-1252
  LineKind kind = LineKind::Skipped;
  std::int32_t count = 0;  // for a card line
  std::string_view name;   // trimmed; empty but for a card line
};

// The lines of a list one at a time, so that a long list is never held as
// a second copy split into strings. A CR, a LF and a CR LF each end a line;
// what follows the last line end is a line when it is not empty. The views
// point into the text given, which must outlive the reader.
class DeckListLines {
 public:
  explicit DeckListLines(std::string_view cp1252) : text_(cp1252) {}
  // The next line into `line`; false after the last.
  bool Next(ListLine& line);

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 0;
  bool inSide_ = false;  // within a side section
};

// Every line of `cp1252` (views into it), card lines with their count and
// name.
std::vector<ListLine> ReadDeckList(std::string_view cp1252);

// How a card line's name was settled.
enum class NameMatch : std::uint8_t { Exact, Loose, Near, None };
std::string_view NameMatchWord(NameMatch match);

// One card line, kept small: a list of short lines has millions of them.
// Its text and name are had through the ImportedDeck that holds it.
struct ImportedLine {
  std::uint32_t line = 0;
  std::uint32_t textBegin = 0;  // the trimmed text, within ImportedDeck::list
  std::uint32_t textSize = 0;
  std::uint32_t entry = 0;  // the entry its copies went to, named as written
  std::int16_t count = 0;   // 0 to 9999
  NameMatch match = NameMatch::None;
};

// A card line of a side section, left out of the deck.
struct LeftOutLine {
  std::uint32_t line = 0;
  std::uint32_t textBegin = 0;  // as ImportedLine's
  std::uint32_t textSize = 0;
};

struct DeckEntry {
  std::int64_t count = 0;
  std::string name;
};

struct ImportedDeck {
  std::string list;                    // the list as Windows-1252
  std::vector<ImportedLine> lines;     // the card lines, in list order
  std::vector<std::uint32_t> skipped;  // the empty, comment and heading lines
  std::vector<LeftOutLine> leftOut;    // the card lines of side sections
  std::vector<DeckEntry> entries;      // merged by name, at the first line's place

  std::string_view Text(const ImportedLine& line) const {
    return std::string_view(list).substr(line.textBegin, line.textSize);
  }
  std::string_view Text(const LeftOutLine& line) const {
    return std::string_view(list).substr(line.textBegin, line.textSize);
  }
  std::vector<std::uint32_t> LeftOutNumbers() const;
  // The name written to the deck for `line`.
  const std::string& Name(const ImportedLine& line) const { return entries[line.entry].name; }
  bool AllMatched() const;
};

// Reads `raw` (any bytes, at most kMaxDeckListSize of them: a larger list
// throws std::length_error) and settles every card line's name against
// `cards`. Taking the bytes saves a copy when they are no UTF-8.
ImportedDeck ImportDeckList(std::string raw, const SuggestionIndex& cards);

// "COUNT<TAB>NAME<CR><LF>" per entry. Throws DeckEditError (the deck
// editor's refusal) when a merged count leaves the range a deck file holds.
std::string DeckFileBytes(const std::vector<DeckEntry>& entries);

// Writes a new deck `path` holding `bytes`, under the deck's lock (FileLock)
// as every writer of a deck. With `replace` an existing file is replaced;
// without, the deck is created only when no file of its name exists at the
// moment of the rename, so that of two creators racing the first keeps its
// deck: the other fails with IoError kFileExists. Throws IoError.
void WriteDeckFile(const std::string& path, std::string_view bytes, bool replace);

}  // namespace quillet
