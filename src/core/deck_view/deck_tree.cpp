#include "core/deck_view/deck_tree.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <tuple>

#include "core/analysis/deck_problems.h"
#include "core/card_data/card_words.h"
#include "core/charts/deck_figures.h"
#include "core/compare/deck_comparison.h"

namespace quillet {
namespace {

constexpr std::array<std::string_view, 8> kGroupTitles = {
    "HQ", "Assets", "Bases", "Enhancements", "Interventions", "Programs", "Other", "Not found"};

DeckGroupKind GroupOf(char cardType) {
  switch (cardType) {
    case 'H':
      return DeckGroupKind::HQ;
    case 'A':
      return DeckGroupKind::Assets;
    case 'B':
      return DeckGroupKind::Bases;
    case 'E':
      return DeckGroupKind::Enhancements;
    case 'I':
      return DeckGroupKind::Interventions;
    case 'P':
      return DeckGroupKind::Programs;
    default:
      return DeckGroupKind::Other;
  }
}

// HQs and bases pay no deploy cost, so they show none rather than 0.
std::optional<std::int64_t> CostOf(const TCardRecord& card) {
  if (std::find(kCostedTypes.begin(), kCostedTypes.end(), card.CardType) == kCostedTypes.end()) {
    return std::nullopt;
  }
  return TryTotalDeployCost(card);
}

}  // namespace

std::string_view DeckGroupTitle(DeckGroupKind kind) {
  return kGroupTitles[static_cast<std::size_t>(kind)];
}

std::vector<DeckTreeGroup> BuildDeckTree(const DeckAnalysis& analysis) {
  std::array<DeckTreeGroup, kGroupTitles.size()> groups;
  for (std::size_t i = 0; i < groups.size(); ++i) groups[i].Kind = static_cast<DeckGroupKind>(i);
  // A card of several lines is one row; its place by group and row.
  std::map<std::string, std::pair<std::size_t, std::size_t>, std::less<>> rows;

  for (const TDeckEntry& line : analysis.entries) {
    auto [place, added] = rows.try_emplace(line.Name);
    if (added) {
      const auto group = static_cast<std::size_t>(GroupOf(line.Card.CardType));
      DeckTreeRow row;
      row.Name = line.Name;
      row.Cost = CostOf(line.Card);
      row.Domain = std::string(DomainWord(line.Card.Domain).value_or(""));
      groups[group].Rows.push_back(std::move(row));
      place->second = {group, groups[group].Rows.size() - 1};
    }
    DeckTreeGroup& group = groups[place->second.first];
    DeckTreeRow& row = group.Rows[place->second.second];
    row.Copies += line.Count;
    group.Copies += line.Count;
    // The rule judges each line on its own, as the problem list does.
    if (row.LimitProblem.empty() && OverCopyLimit(line.Card, line.Count)) {
      row.LimitProblem = OverCopyLimitProblem(line.Name);
    }
  }

  DeckTreeGroup& notFound = groups[static_cast<std::size_t>(DeckGroupKind::NotFound)];
  for (const std::string& name : analysis.missing) {
    const bool seen = std::any_of(notFound.Rows.begin(), notFound.Rows.end(),
                                  [&name](const DeckTreeRow& row) { return row.Name == name; });
    if (seen) continue;
    DeckTreeRow row;
    row.Name = name;
    row.Found = false;
    notFound.Rows.push_back(std::move(row));
  }

  std::vector<DeckTreeGroup> tree;
  for (DeckTreeGroup& group : groups) {
    if (!group.Rows.empty()) tree.push_back(std::move(group));
  }
  SortDeckTree(tree, DeckTreeSort::Name, false);
  return tree;
}

void SortDeckTree(std::vector<DeckTreeGroup>& tree, DeckTreeSort key, bool descending) {
  // A row without a cost sorts below every cost, even a negative one.
  const auto keyOf = [key](const DeckTreeRow& row) -> std::int64_t {
    switch (key) {
      case DeckTreeSort::Cost:
        return row.Cost ? *row.Cost : std::numeric_limits<std::int64_t>::min();
      case DeckTreeSort::Copies:
        return row.Copies;
      case DeckTreeSort::Name:
        break;
    }
    return 0;
  };
  for (DeckTreeGroup& group : tree) {
    std::stable_sort(
        group.Rows.begin(), group.Rows.end(), [&](const DeckTreeRow& a, const DeckTreeRow& b) {
          if (key != DeckTreeSort::Name) {
            const std::int64_t ka = keyOf(a);
            const std::int64_t kb = keyOf(b);
            if (ka != kb) return descending ? ka > kb : ka < kb;
            return CardNameBefore(a.Name, b.Name);
          }
          return descending ? CardNameBefore(b.Name, a.Name) : CardNameBefore(a.Name, b.Name);
        });
  }
}

}  // namespace quillet
