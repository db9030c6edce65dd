#include "core/analysis/deck_list.h"

#include "core/card_data/str_to_int.h"

namespace quillet {

DeckLine SplitDeckLine(ByteReader& deck) {
  DeckLine line;
  int byte = deck.Get();
  while (byte != ByteReader::kEnd && byte != '\t') {
    line.countField.push_back(static_cast<char>(byte));
    byte = deck.Get();
  }
  if (byte == ByteReader::kEnd) return line;

  byte = deck.Get();
  while (byte != ByteReader::kEnd && byte != '\r' && byte != '\n') {
    line.name.push_back(static_cast<char>(byte));
    byte = deck.Get();
  }
  if (byte == '\r' && deck.Peek() == '\n') deck.Get();
  return line;
}

std::optional<std::string> ReadDeckLine(ByteReader& reader, CardDatabase& db, DeckState& deck) {
  DeckLine line = SplitDeckLine(reader);
  deck.CardCount = StrToInt(line.countField);
  if (db.LookupCard(line.name)) return std::nullopt;
  return std::move(line.name);
}

}  // namespace quillet
