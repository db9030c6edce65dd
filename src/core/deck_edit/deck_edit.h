// One edit of a deck file's bytes: a card's copies raised or lowered on the
// first line that names it, every other byte left exactly as it was. The
// lines are split by the deck reader itself (SplitDeckLine), so a line's
// name means here what it means to the analysis, and counts are read by the
// same integer rule and written back in plain decimal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// An edit refused; the message is the one the user is shown, and the deck
// was not changed.
class DeckEditError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where one deck line stands in the file: [begin, end) is the whole line
// with its line end, [begin, countEnd) its count field, [nameBegin,
// nameEnd) its name.
struct DeckLineSpan {
  std::size_t begin = 0;
  std::size_t countEnd = 0;
  std::size_t nameBegin = 0;
  std::size_t nameEnd = 0;
  std::size_t end = 0;
};

// Every line of `deck`, as the deck reader reads them.
std::vector<DeckLineSpan> SplitDeckLines(std::string_view deck);

// The deck with `delta` copies of `name` added (delta > 0) or taken away
// (delta < 0) on the first line whose name is exactly `name`. A line that
// reaches 0 (or less) is removed with its line end; a card without a line
// gets "N<TAB>NAME<CR><LF>" appended, after a CR LF when the file does not
// end with a line end. Throws DeckEditError when a count field of the deck
// is no integer, when the edited line's count is negative or would leave the
// 32-bit range, and when a card to remove has no line.
std::string EditDeckBytes(std::string_view deck, std::string_view name, std::int32_t delta);

// A new name for one line of a deck, the lines counted from 1 as the deck
// reader reads them.
struct NameFix {
  std::size_t line = 0;
  std::string name;
};

// The deck with the name of each fixed line replaced, and every other byte
// (the count fields, the TABs, the line ends, the other lines) as it was.
// Throws DeckEditError when a count field of the deck is no integer, when a
// line does not exist or has no TAB to end its count, and when a new name
// holds a line end. A line fixed twice takes the last fix.
std::string ReplaceDeckNames(std::string_view deck, const std::vector<NameFix>& fixes);

// The copies the first line of `name` holds, or 0 when it has none. Throws
// DeckEditError for an invalid deck.
std::int32_t FirstLineCount(std::string_view deck, std::string_view name);

}  // namespace quillet
