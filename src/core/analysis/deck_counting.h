// The counting pass of the deck analysis: adds each found card's copies
// into every statistic its type, keywords, domain, rarity and values select;
// then applies the HQ rules. Numeric card texts are converted
// only where a rule reaches them, left to right, so a field a card's rules do
// not look at is never examined.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/deck_stats.h"
#include "core/card_data/card_record.h"

namespace quillet {

// What one production pair (a Prod character and its Turns text) yields over
// a game: Prod x 15 when Turns is "**" (unlimited), else Turns x Prod.
// Throws ConvertError when either is no integer.
std::int64_t ProductionFigure(char prod, std::string_view turns);

// Adds `count` copies of `card` into every statistic its type, keywords,
// domain, rarity and values select. Throws ConvertError when a field a rule
// reaches holds no number, and when a figure leaves the 32-bit range.
void CountCard(const TCardRecord& card, TDeckStats& stats, std::int32_t count);

// "Error - the following cards could not be found: " and the names joined by
// ", ".
std::string MissingCardsMessage(const std::vector<std::string>& names);

// The bonus rules of the deck's HQ, applied once after the last line.
void ApplyHQRules(TDeckStats& stats);

}  // namespace quillet
