// The counting pass of the deck analysis: reads the open deck file line by
// line, keeps every found card in DeckList and the card list, and adds each
// card's copies into every statistic its type, keywords, domain, rarity and
// values select; then applies the HQ rules. Numeric card texts are converted
// only where a rule reaches them, left to right, so a field a card's rules do
// not look at is never examined.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/card_list.h"
#include "core/analysis/deck_list.h"
#include "core/analysis/deck_stats.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"
#include "core/card_data/card_record.h"

namespace quillet {

// What one production pair (a Prod character and its Turns text) yields over
// a game: Prod x 15 when Turns is "**" (unlimited), else Turns x Prod.
// Throws ConvertError when either is no integer.
std::int64_t ProductionFigure(char prod, std::string_view turns);

// Resets `stats` and `cardList`, reads `deckFile` to its end and fills
// `stats`, `deck` (DeckList, DeckCount, CardCount) and `cardList`. Returns the
// names that were not found, in file order. Throws on an invalid count, a card
// field that holds no number where a rule needs one, a figure leaving the
// 32-bit range, or a read error.
std::vector<std::string> ComputeDeckStatistics(ByteReader& deckFile, CardDatabase& db,
                                               DeckState& deck, TDeckStats& stats,
                                               CardListContents& cardList);

// "Error - the following cards could not be found: " and the names joined by
// ", ".
std::string MissingCardsMessage(const std::vector<std::string>& names);

// The bonus rules of the deck's HQ, applied once after the last line.
void ApplyHQRules(TDeckStats& stats);

}  // namespace quillet
