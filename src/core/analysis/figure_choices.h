// The two choices the player makes over the figures, as tables: the seven
// domain fields, which count all cards or assets only, and the cost kinds,
// whose deployment costs the three cost fields add up. The analysis, the
// main window's view and the command line's --cost all read these.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_stats.h"
#include "core/card_data/card_record.h"

namespace quillet {

// The cost selector's item for every card.
inline constexpr std::string_view kAllCardsCostItem = "All cards";

struct DomainField {
  std::string_view component;
  std::int32_t TDeckStats::*all;
  std::int32_t TDeckStats::*assets;
  std::string_view allHint;
  std::string_view assetHint;
};
const std::array<DomainField, 7>& DomainFields();
const DomainField* FindDomainField(std::string_view component);

struct CostKind {
  std::string_view item;                          // as the cost selector lists it
  char cardType;                                  // the one card type of the kind; 0: every card
  std::array<std::int32_t TDeckStats::*, 4> mil;  // summed; unused slots null
  std::array<std::int32_t TDeckStats::*, 4> cov;
  std::array<std::int32_t TDeckStats::*, 4> cyb;
  std::int32_t TDeckStats::*amount;  // the cards of the kind; null for every card
  std::string_view hintTail;         // "deploy all your cards"
};
// Every kind, "All cards" first: it is the default, and the command line
// names it first; the selector shows it last.
const std::vector<CostKind>& CostKindTable();
// The kind named `item`, or null for a name that is none.
const CostKind* FindCostKind(std::string_view item);
// Whether `card` is one of the cards of the kind named `kind`; no card is of
// an unknown kind.
bool OfCostKind(const TCardRecord& card, std::string_view kind);
// Every kind's item, in the table's order (what --cost accepts).
std::vector<std::string> CostKindNames();

// The cost selector's items, "All cards" last.
const std::vector<std::string_view>& CostKinds();
// The Military, Covert and CyberOps deploy costs of the cards of `costKind`
// (an item of the cost selector; "All cards" for every card), as the cost
// fields show them; zeros for no kind. Throws when a sum leaves the 32-bit
// range.
std::array<std::int32_t, 3> DeployCosts(const TDeckStats& stats, std::string_view costKind);

// The cost fields, Military, Covert, CyberOps.
inline constexpr std::array<std::string_view, 3> kCostFields = {"MilCost", "CovCost", "CybCost"};
inline constexpr std::array<std::string_view, 3> kResourceWords = {"Military", "Covert",
                                                                   "CyberOps"};

}  // namespace quillet
