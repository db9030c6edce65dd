#include "core/deck_edit/deck_edit.h"

#include <optional>

#include "core/analysis/deck_list.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

struct ParsedDeck {
  std::vector<DeckLineSpan> lines;
  std::vector<std::int32_t> counts;
};

// The whole deck must read, as the analysis would read it, before any line
// of it is touched: an edit never turns an invalid deck into a different
// invalid deck.
ParsedDeck ParseDeck(std::string_view deck) {
  ParsedDeck parsed;
  parsed.lines = SplitDeckLines(deck);
  for (const DeckLineSpan& line : parsed.lines) {
    const std::string_view field = deck.substr(line.begin, line.countEnd - line.begin);
    const auto count = TryStrToInt(field);
    if (!count) {
      throw DeckEditError("The deck file is not valid, so it was not changed: " +
                          std::string(ConvertError(field).what()) + ".");
    }
    parsed.counts.push_back(*count);
  }
  return parsed;
}

std::optional<std::size_t> FirstLineOf(const ParsedDeck& parsed, std::string_view deck,
                                       std::string_view name) {
  for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
    const DeckLineSpan& line = parsed.lines[i];
    if (deck.substr(line.nameBegin, line.nameEnd - line.nameBegin) == name) return i;
  }
  return std::nullopt;
}

std::string Quoted(std::string_view name) {
  return "'" + std::string(name) + "'";
}

}  // namespace

std::vector<DeckLineSpan> SplitDeckLines(std::string_view deck) {
  // The reader gives the fields without positions; a line's length follows
  // from them and from the line end after the name, which the reader
  // consumed as CR LF, a lone CR or a lone LF.
  std::vector<DeckLineSpan> lines;
  MemorySource source(deck);
  ByteReader reader(source);
  std::size_t pos = 0;
  while (!reader.AtEnd()) {
    const DeckLine line = SplitDeckLine(reader);
    DeckLineSpan span;
    span.begin = pos;
    span.countEnd = pos + line.countField.size();
    if (span.countEnd >= deck.size()) {
      span.nameBegin = span.nameEnd = span.end = deck.size();
    } else {
      span.nameBegin = span.countEnd + 1;
      span.nameEnd = span.nameBegin + line.name.size();
      span.end = span.nameEnd;
      if (span.end < deck.size() && deck[span.end] == '\r') {
        ++span.end;
        if (span.end < deck.size() && deck[span.end] == '\n') ++span.end;
      } else if (span.end < deck.size() && deck[span.end] == '\n') {
        ++span.end;
      }
    }
    pos = span.end;
    lines.push_back(span);
  }
  return lines;
}

std::int32_t FirstLineCount(std::string_view deck, std::string_view name) {
  const ParsedDeck parsed = ParseDeck(deck);
  const auto i = FirstLineOf(parsed, deck, name);
  return i ? parsed.counts[*i] : 0;
}

std::string ReplaceDeckNames(std::string_view deck, const std::vector<NameFix>& fixes) {
  const ParsedDeck parsed = ParseDeck(deck);
  std::vector<const NameFix*> byLine(parsed.lines.size(), nullptr);
  for (const NameFix& fix : fixes) {
    if (fix.line < 1 || fix.line > parsed.lines.size()) {
      throw DeckEditError("The deck has no line " + std::to_string(fix.line) + ".");
    }
    if (fix.name.find_first_of("\r\n") != std::string::npos) {
      throw DeckEditError("The name " + Quoted(fix.name) + " holds a line end; it cannot be used.");
    }
    // Without a TAB the line's count runs to the end of the file, and a name
    // put there would become part of it.
    if (parsed.lines[fix.line - 1].countEnd == deck.size()) {
      throw DeckEditError("Line " + std::to_string(fix.line) +
                          " of the deck has no TAB, so its name cannot be replaced.");
    }
    byLine[fix.line - 1] = &fix;
  }
  std::string out;
  out.reserve(deck.size() + 32 * fixes.size());
  std::size_t copied = 0;
  for (std::size_t i = 0; i < byLine.size(); ++i) {
    if (byLine[i] == nullptr) continue;
    const DeckLineSpan& line = parsed.lines[i];
    out.append(deck.substr(copied, line.nameBegin - copied));
    out += byLine[i]->name;
    copied = line.nameEnd;
  }
  out.append(deck.substr(copied));
  return out;
}

std::string EditDeckBytes(std::string_view deck, std::string_view name, std::int32_t delta) {
  const ParsedDeck parsed = ParseDeck(deck);
  const auto found = FirstLineOf(parsed, deck, name);
  if (!found) {
    if (delta < 0) throw DeckEditError(Quoted(name) + " is not in the deck.");
    if (name.find_first_of("\r\n") != std::string_view::npos) {
      throw DeckEditError("The name " + Quoted(name) + " holds a line end; it cannot be added.");
    }
    // A last line without a TAB would run on into the added line.
    if (!parsed.lines.empty() && parsed.lines.back().countEnd == deck.size()) {
      throw DeckEditError("The last line of the deck has no TAB, so no line can follow it.");
    }
    std::string out(deck);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    out += std::to_string(delta);
    out += '\t';
    out += name;
    out += "\r\n";
    return out;
  }
  const DeckLineSpan& line = parsed.lines[*found];
  const std::int64_t count = parsed.counts[*found];
  if (count < 0) {
    throw DeckEditError("The line of " + Quoted(name) + " has a negative count (" +
                        std::to_string(count) + "), so the deck was not changed.");
  }
  const std::int64_t next = count + delta;
  if (next > INT32_MAX) {
    throw DeckEditError("The deck cannot hold more copies of " + Quoted(name) + ".");
  }
  std::string out;
  out.reserve(deck.size() + 12);
  out.append(deck.substr(0, line.begin));
  if (next > 0) {
    out += std::to_string(next);
    out.append(deck.substr(line.countEnd));
  } else {
    out.append(deck.substr(line.end));
  }
  return out;
}

}  // namespace quillet
