#include "core/analysis/cost_kinds.h"

namespace quillet {

const CostKindItem* FindCostKindItem(std::string_view item) {
  for (const CostKindItem& kind : kCostKindItems) {
    if (kind.item == item) return &kind;
  }
  return nullptr;
}

bool OfCostKind(const TCardRecord& card, std::string_view kind) {
  const CostKindItem* found = FindCostKindItem(kind);
  return found != nullptr && (found->cardType == 0 || card.CardType == found->cardType);
}

std::vector<std::string> CostKindNames() {
  std::vector<std::string> names;
  names.reserve(kCostKindItems.size());
  for (const CostKindItem& kind : kCostKindItems) names.emplace_back(kind.item);
  return names;
}

}  // namespace quillet
