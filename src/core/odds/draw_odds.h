// Draw odds: the chance that the cards seen after n draws hold at least 1, 2,
// 3 or 4 copies of a group. The game deals the top-deck cards first, in random
// order, and the shuffled rest after them, so the cards seen are a random n of
// the T top-deck cards while n <= T, and all of them plus a random n - T of
// the others after that. Each chance is hypergeometric, computed as an exact
// fraction and rounded to per mille, halves to even.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/odds/deck_pile.h"

namespace quillet {

inline constexpr std::int64_t kOpeningHand = 8;     // the first row: the opening hand
inline constexpr std::int64_t kLastOddsRow = 20;    // the last row: twelve draws later
inline constexpr std::size_t kMostCopiesAsked = 4;  // columns: at least 1 .. 4 copies

struct OddsRow {
  std::int64_t Seen = 0;                               // n, the cards seen
  std::array<std::int32_t, kMostCopiesAsked> AtLeast;  // per mille, 0..1000, for k = 1..4
};

// The row for `seen` cards (seen >= 1; beyond the pile every card is seen).
OddsRow DrawOddsRow(const OddsGroup& group, std::int64_t seen);

// The chance of at least `copies` (1..4) copies in `seen` cards, times
// `scale` and rounded half to even: scale 100 gives the whole percent the
// main window's opening-hand figures show.
std::int32_t AtLeastChance(const OddsGroup& group, std::int64_t seen, std::int32_t copies,
                           std::int32_t scale);

// The rows for seen = first .. last.
std::vector<OddsRow> DrawOddsTable(const OddsGroup& group, std::int64_t first = kOpeningHand,
                                   std::int64_t last = kLastOddsRow);

// A per-mille figure as a percentage with one decimal: 872 -> "87.2".
std::string PerMilleText(std::int32_t perMille);

// The caption of a row of the window: "Opening hand (8)", "+1 draw (9)",
// "+2 draws (10)" ...
std::string OddsRowCaption(std::int64_t seen);

}  // namespace quillet
