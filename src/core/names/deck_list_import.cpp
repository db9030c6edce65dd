#include "core/names/deck_list_import.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <unordered_map>

#include "core/card_data/byte_source.h"
#include "core/card_data/safe_file.h"
#include "core/card_data/text_util.h"
#include "core/deck_edit/deck_edit.h"

namespace quillet {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr char kTimes = '\xD7';  // the multiplication sign

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsTimes(char c) {
  return c == 'x' || c == 'X' || c == kTimes;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsListBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsListBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The 1 to 4 digits at `text`'s start, or 0 when there are none or more.
std::size_t CountDigits(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) ++n;
  return n <= 4 ? n : 0;
}

std::int32_t CountOf(std::string_view digits) {
  std::int32_t count = 0;
  for (const char c : digits) count = count * 10 + (c - '0');
  return count;
}

struct CountAndName {
  std::int32_t count;
  std::string_view name;
};

// The forms in their order; the first that fits reads the line, and a line
// none fits is one copy of a card named by the whole line.
CountAndName ReadCardLine(std::string_view text) {
  const std::size_t digits = CountDigits(text);
  if (digits > 0 && digits < text.size()) {
    // COUNT<TAB>NAME, then COUNT NAME and COUNTx NAME.
    std::size_t at = digits;
    if (text[at] == '\t') return {CountOf(text.substr(0, digits)), TrimBlanks(text.substr(at))};
    if (IsTimes(text[at])) ++at;
    if (at < text.size() && IsListBlank(text[at])) {
      return {CountOf(text.substr(0, digits)), TrimBlanks(text.substr(at))};
    }
  }
  // NAME xCOUNT: a blank, the x, then the digits up to the end.
  std::size_t start = text.size();
  while (start > 0 && IsDigit(text[start - 1])) --start;
  const std::size_t digitCount = text.size() - start;
  if (digitCount >= 1 && digitCount <= 4 && start >= 2 && IsTimes(text[start - 1]) &&
      IsListBlank(text[start - 2])) {
    return {CountOf(text.substr(start)), TrimBlanks(text.substr(0, start - 2))};
  }
  return {1, text};
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// `text` without a count at its end: "(N)", or "N" after a blank (digits
// glued to a word are part of the word, as in a name).
std::string_view WithoutCount(std::string_view text) {
  std::size_t end = text.size();
  const bool inParens = end > 0 && text[end - 1] == ')';
  if (inParens) --end;
  std::size_t start = end;
  while (start > 0 && IsDigit(text[start - 1])) --start;
  if (start == end || start == 0) return text;
  if (inParens) {
    if (text[start - 1] != '(') return text;
    --start;
  } else if (!IsListBlank(text[start - 1])) {
    return text;
  }
  return TrimBlanks(text.substr(0, start));
}

// "Sideboard:", "Sideboard (15):", "Maybeboard 3", "side": the headings
// under which lists keep the cards that are not part of the deck.
bool IsSideHeading(std::string_view text) {
  if (text.ends_with(':')) text = TrimBlanks(text.substr(0, text.size() - 1));
  text = WithoutCount(text);
  for (const std::string_view word :
       {"Sideboard", "Side", "SB", "Maybeboard", "Maybe", "Considering"}) {
    if (SameIgnoringCase(text, word)) return true;
  }
  return false;
}

// A sideboard card written on its own line anywhere in the list.
bool IsSideLine(std::string_view text) {
  return text.size() >= 3 && SameIgnoringCase(text.substr(0, 3), "SB:");
}

// The list in Windows-1252, reusing `raw`'s bytes when they are not UTF-8.
std::string TakeAsCp1252(std::string raw) {
  const std::string_view text = std::string_view(raw).starts_with(kBom)
                                    ? std::string_view(raw).substr(kBom.size())
                                    : std::string_view(raw);
  if (auto encoded = Utf8ToCp1252(text)) return std::move(*encoded);
  return raw;
}

}  // namespace

bool IsListBlank(char c) {
  return c == ' ' || c == '\t' || c == '\xA0';
}

std::string ListBytesAsCp1252(std::string_view raw) {
  return TakeAsCp1252(std::string(raw));
}

std::optional<std::string> ReadDeckListSource(ByteSource& source) {
  // One byte past the limit tells a list of the limit's size from a larger
  // one without reading the rest (an endless device has no end).
  constexpr std::size_t kReadLimit = kMaxDeckListSize + 1;
  constexpr std::size_t kChunk = std::size_t{64} * 1024;
  std::string bytes;
  while (bytes.size() < kReadLimit) {
    const std::size_t had = bytes.size();
    bytes.resize(had + std::min(kChunk, kReadLimit - had));
    const std::size_t n =
        source.Read(reinterpret_cast<std::uint8_t*>(bytes.data() + had), bytes.size() - had);
    bytes.resize(had + n);
    if (n == 0) return bytes;
  }
  return std::nullopt;
}

bool DeckListLines::Next(ListLine& line) {
  if (pos_ >= text_.size()) return false;
  // A CR, a LF and a CR LF each end a line: a name never holds a line end
  // the deck reader would take as the end of its line.
  const std::size_t end = text_.find_first_of("\r\n", pos_);
  std::string_view raw;
  if (end == std::string_view::npos) {
    raw = text_.substr(pos_);
    pos_ = text_.size();
  } else {
    raw = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  }

  line = ListLine{};
  line.line = ++line_;
  line.text = TrimBlanks(raw);
  const std::string_view text = line.text;
  if (text.empty() || text.starts_with('#') || text.starts_with("//")) return true;
  if (IsSideHeading(text)) {
    inSide_ = true;
    return true;
  }
  if (IsSideLine(text)) {
    line.kind = LineKind::LeftOut;
    return true;
  }
  if (text.ends_with(':')) {
    inSide_ = false;
    return true;
  }
  if (inSide_) {
    line.kind = LineKind::LeftOut;
    return true;
  }
  const CountAndName card = ReadCardLine(text);
  line.kind = LineKind::Card;
  line.count = card.count;
  line.name = card.name;
  return true;
}

std::vector<ListLine> ReadDeckList(std::string_view cp1252) {
  std::vector<ListLine> lines;
  DeckListLines reader(cp1252);
  for (ListLine line; reader.Next(line);) lines.push_back(line);
  return lines;
}

std::string_view NameMatchWord(NameMatch match) {
  switch (match) {
    case NameMatch::Exact:
      return "exact";
    case NameMatch::Loose:
      return "loose";
    case NameMatch::Near:
      return "near";
    case NameMatch::None:
      break;
  }
  return "none";
}

std::vector<std::uint32_t> ImportedDeck::LeftOutNumbers() const {
  std::vector<std::uint32_t> numbers;
  numbers.reserve(leftOut.size());
  for (const LeftOutLine& line : leftOut) numbers.push_back(line.line);
  return numbers;
}

bool ImportedDeck::AllMatched() const {
  for (const ImportedLine& line : lines) {
    if (line.match == NameMatch::None) return false;
  }
  return true;
}

ImportedDeck ImportDeckList(std::string raw, const SuggestionIndex& cards) {
  // The line numbers and offsets are 32-bit, which the limit keeps them in.
  if (raw.size() > kMaxDeckListSize) throw std::length_error(std::string(kDeckListTooLarge));
  ImportedDeck deck;
  deck.list = TakeAsCp1252(std::move(raw));
  // A long list repeats its names: each is settled once. The keys view the
  // list, which stays as it is from here on.
  struct Settled {
    std::uint32_t entry = 0;
    NameMatch match = NameMatch::None;
  };
  std::unordered_map<std::string_view, Settled> settled;
  std::unordered_map<std::string, std::uint32_t> entryOf;
  const auto settle = [&](std::string_view written) {
    Settled result;
    std::string name(written);
    if (cards.Has(name)) {
      result.match = NameMatch::Exact;
    } else if (NameSuggestions s = cards.Suggest(name); s.sure) {
      result.match = s.kind == SuggestionKind::Loose ? NameMatch::Loose : NameMatch::Near;
      name = std::move(s.names.front());
    }
    const auto [at, added] =
        entryOf.try_emplace(name, static_cast<std::uint32_t>(deck.entries.size()));
    if (added) deck.entries.push_back(DeckEntry{0, std::move(name)});
    result.entry = at->second;
    return result;
  };

  DeckListLines reader(deck.list);
  for (ListLine read; reader.Next(read);) {
    const auto number = static_cast<std::uint32_t>(read.line);
    const auto textBegin = static_cast<std::uint32_t>(read.text.data() - deck.list.data());
    const auto textSize = static_cast<std::uint32_t>(read.text.size());
    if (read.kind == LineKind::Skipped) {
      deck.skipped.push_back(number);
      continue;
    }
    if (read.kind == LineKind::LeftOut) {
      deck.leftOut.push_back(LeftOutLine{number, textBegin, textSize});
      continue;
    }
    auto at = settled.find(read.name);
    if (at == settled.end()) at = settled.emplace(read.name, settle(read.name)).first;
    deck.entries[at->second.entry].count += read.count;
    deck.lines.push_back(ImportedLine{number, textBegin, textSize, at->second.entry,
                                      static_cast<std::int16_t>(read.count), at->second.match});
  }
  return deck;
}

std::string DeckFileBytes(const std::vector<DeckEntry>& entries) {
  std::string out;
  for (const DeckEntry& entry : entries) {
    if (entry.count > std::numeric_limits<std::int32_t>::max()) {
      throw DeckEditError("The deck cannot hold more copies of '" + entry.name + "'.");
    }
    out += std::to_string(entry.count);
    out += '\t';
    out += entry.name;
    out += "\r\n";
  }
  return out;
}

void WriteDeckFile(const std::string& path, std::string_view bytes, bool replace) {
  // Held from before the new file is made to its rename: an edit of the
  // deck made in between (add, the window) would be lost under ours.
  const FileLock lock(path);
  AtomicFile file(path);
  BufferedSink sink(file.fd());
  sink.Write(bytes);
  sink.Flush();
  if (replace) {
    file.Commit();
  } else {
    file.CommitNew();
  }
}

}  // namespace quillet
