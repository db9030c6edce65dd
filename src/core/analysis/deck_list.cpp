#include "core/analysis/deck_list.h"

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

}  // namespace quillet
