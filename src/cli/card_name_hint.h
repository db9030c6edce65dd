// The line quillet-cli prints after "No Such Card!": which of the typed
// names no card has, and the cards the suggestion engine finds near it, so
// a misspelt name is mended without a search.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/command_support.h"

namespace quillet::cli {

// The card browser's refusal of a name no card has; the odds engine's too,
// among its other refusals.
inline constexpr std::string_view kNoSuchCard = "No Such Card!";

// Prints on stderr, for the first of `typed` (names as typed, UTF-8) that no
// card of the CardStat.Dat at `cardStatPath` has, "'NAME' is not a card
// name; did you mean: A, B?" or "'NAME' is not a card name; no card name is
// near it."; nothing when every name is a card's or the data cannot be read
// (the failure was then another one, already reported).
void HintUnknownCard(const CommandContext& context, const std::string& cardStatPath,
                     const std::vector<std::string>& typed);

}  // namespace quillet::cli
