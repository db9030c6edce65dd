// The deck problem rules: a fixed, ordered list of checks over the statistics
// of the deck just analysed, each adding one sentence when it fires. Two name
// breaches of the deck rules; the others are advice. All comparisons are
// exact integer comparisons.
#pragma once

#include <string>
#include <vector>

#include "core/analysis/deck_stats.h"

namespace quillet {

// The sentences of every rule that fires, in rule order.
std::vector<std::string> CheckDeckProblems(const TDeckStats& stats);

}  // namespace quillet
