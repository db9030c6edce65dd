// Builds card records and CardStat.Dat files for tests, without going
// through the card list import.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/card_record.h"

namespace quillet::test {

inline TCardRecord MakeCard(std::string_view name, char type = 'A') {
  TCardRecord card;
  card.Name.Assign(name);
  card.CardType = type;
  card.Rarity = 'C';
  card.Domain = ' ';
  return card;
}

inline std::string RecordsBytes(const std::vector<TCardRecord>& cards) {
  std::string out;
  for (const auto& card : cards) {
    const auto bytes = EncodeRecord(card);
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return out;
}

}  // namespace quillet::test
