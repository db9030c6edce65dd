// The kinds of card the deployment cost figures are summed over: the items
// of the main window's cost selector, the words --cost takes, and what the
// cost figures' drill-down lists hold. Every kind but "All cards" is one card
// type, and is offered in the selector only when the deck holds such cards.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_stats.h"
#include "core/card_data/card_record.h"

namespace quillet {

struct CostKindItem {
  std::string_view item;
  char cardType;                    // 0: every card
  std::int32_t TDeckStats::*count;  // the deck's cards of the kind; null for every card
};

// "All cards" first: it is the default, and the command line names it first;
// the selector shows it last.
inline constexpr std::array<CostKindItem, 5> kCostKindItems = {{
    {"All cards", 0, nullptr},
    {"Assets", 'A', &TDeckStats::AssetAmount},
    {"Enhancements", 'E', &TDeckStats::EnhanceAmount},
    {"Interventions", 'I', &TDeckStats::IntervenAmount},
    {"Programs", 'P', &TDeckStats::ProgAmount},
}};

// The kind named `item`, or null for a name that is none.
const CostKindItem* FindCostKindItem(std::string_view item);
// Whether `card` is one of the cards of the kind named `kind`; no card is of
// an unknown kind.
bool OfCostKind(const TCardRecord& card, std::string_view kind);
// Every kind's item, in the table's order.
std::vector<std::string> CostKindNames();

}  // namespace quillet
