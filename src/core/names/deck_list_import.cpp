#include "core/names/deck_list_import.h"

#include <limits>
#include <optional>
#include <unordered_map>

#include "core/card_data/byte_source.h"
#include "core/card_data/file_util.h"
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

}  // namespace

bool IsListBlank(char c) {
  return c == ' ' || c == '\t' || c == '\xA0';
}

std::string ListBytesAsCp1252(std::string_view raw) {
  const std::string_view text = raw.starts_with(kBom) ? raw.substr(kBom.size()) : raw;
  if (auto encoded = Utf8ToCp1252(text)) return std::move(*encoded);
  return std::string(raw);
}

std::vector<ListLine> ReadDeckList(std::string_view cp1252) {
  std::vector<ListLine> lines;
  std::size_t pos = 0;
  while (pos < cp1252.size()) {
    const std::size_t lf = cp1252.find('\n', pos);
    std::string_view line =
        cp1252.substr(pos, lf == std::string_view::npos ? std::string_view::npos : lf - pos);
    pos = lf == std::string_view::npos ? cp1252.size() : lf + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    // What follows the last line end is a line only when it holds something.
    if (lf == std::string_view::npos && line.empty()) break;

    ListLine read;
    read.line = lines.size() + 1;
    const std::string_view text = TrimBlanks(line);
    read.text = std::string(text);
    const bool skipped =
        text.empty() || text.starts_with('#') || text.starts_with("//") || text.ends_with(':');
    if (!skipped) {
      const CountAndName card = ReadCardLine(text);
      read.card = true;
      read.count = card.count;
      read.name = std::string(card.name);
    }
    lines.push_back(std::move(read));
  }
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

bool ImportedDeck::AllMatched() const {
  for (const ImportedLine& line : lines) {
    if (line.match == NameMatch::None) return false;
  }
  return true;
}

ImportedDeck ImportDeckList(std::string_view raw, const SuggestionIndex& cards) {
  ImportedDeck deck;
  std::unordered_map<std::string, std::size_t> entryOf;
  for (ListLine& read : ReadDeckList(ListBytesAsCp1252(raw))) {
    if (!read.card) {
      deck.skipped.push_back(read.line);
      continue;
    }
    ImportedLine line{read.line, std::move(read.text), read.count, std::move(read.name),
                      NameMatch::None};
    if (cards.Has(line.name)) {
      line.match = NameMatch::Exact;
    } else if (NameSuggestions s = cards.Suggest(line.name); s.sure) {
      line.match = s.kind == SuggestionKind::Loose ? NameMatch::Loose : NameMatch::Near;
      line.name = std::move(s.names.front());
    }
    const auto [at, added] = entryOf.try_emplace(line.name, deck.entries.size());
    if (added) {
      deck.entries.push_back(DeckEntry{line.count, line.name});
    } else {
      deck.entries[at->second].count += line.count;
    }
    deck.lines.push_back(std::move(line));
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

void WriteDeckFile(const std::string& path, std::string_view bytes) {
  WriteWholeFile(path, bytes);
}

}  // namespace quillet
