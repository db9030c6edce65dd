// Opening-hand chances: the hand is HandSize cards, Topdeck cards dealt
// first and the rest drawn from the shuffled remainder. Chances are whole
// percentages, rounded half to even on the exact fraction for every hand of up
// to 10,000 cards.
#pragma once

#include <cstdint>

#include "core/analysis/deck_stats.h"
#include "core/card_data/card_record.h"

namespace quillet {

inline constexpr std::int32_t HandSize = 8;

// The chance in percent that `n` cards drawn from a pile of `N` hold at least
// one of `K` given cards: 100 minus the hypergeometric chance of none. 0 when
// n < 1 and 100 when N < n. With the negative counts a deck file may give, K
// can exceed N and the result leave 0..100; a result beyond 32 bits throws
// OverflowError.
std::int32_t DrawChance(std::int64_t K, std::int64_t N, std::int64_t n);

// The chance that the opening hand holds at least one of `count` cards of a
// group in a deck of `deckSize` cards (without HQ), `topDeckCount` of them
// Topdeck cards, when the deck has `topDeckAmount` Topdeck cards in all.
std::int32_t OpeningHandChance(std::int32_t count, std::int32_t deckSize, std::int32_t topDeckCount,
                               std::int32_t topDeckAmount);

// The chance of drawing a card list line of `copies` copies of `card`.
std::int32_t SelectedCardChance(std::int32_t copies, const TCardRecord& card,
                                const TDeckStats& stats);

}  // namespace quillet
