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
  return LookUpDeckLine(SplitDeckLine(reader), db, deck);
}

std::optional<std::string> LookUpDeckLine(DeckLine line, CardDatabase& db, DeckState& deck) {
  deck.CardCount = StrToInt(line.countField);
  if (db.LookupCard(line.name)) return std::nullopt;
  return std::move(line.name);
}

bool SameCardFile(const DeckState& deck, const CardDatabase& db) {
  return deck.CardFile && deck.CardFile == StateOfFile(db.CardStatPath());
}

}  // namespace quillet
