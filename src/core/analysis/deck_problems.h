// The deck problem rules: a fixed, ordered list of checks over the statistics
// of the deck just analysed, each adding one sentence when it fires. Two name
// breaches of the deck rules; the others are advice. All comparisons are
// exact integer comparisons.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_stats.h"
#include "core/card_data/card_record.h"

namespace quillet {

// The copy limit of the deck rules: a deck line of more copies breaks them,
// unless its card is a common base, which may be played in any number.
inline constexpr std::int32_t kCopyLimit = 4;
bool OverCopyLimit(const TCardRecord& card, std::int32_t copies);
// The sentence of the copy-limit rule for the card `name`.
std::string OverCopyLimitProblem(std::string_view name);

// The sentences of every rule that fires, in rule order.
std::vector<std::string> CheckDeckProblems(const TDeckStats& stats);

}  // namespace quillet
