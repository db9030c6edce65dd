#include "core/charts/deck_figures.h"

#include <algorithm>
#include <optional>

#include "core/analysis/drill_down.h"
#include "core/card_data/str_to_int.h"
#include "core/card_data/text_util.h"

namespace quillet {
namespace {

// A deploy cost text by the integer rule, blank as 0; nullopt when it is
// neither.
std::optional<std::int64_t> DeployPart(const ShortString<2>& text) {
  if (Trim(text.View()).empty()) return 0;
  const auto value = TryStrToInt(text.View());
  if (!value) return std::nullopt;
  return *value;
}

template <std::size_t N>
int IndexOf(const std::array<char, N>& codes, char code) {
  const auto it = std::find(codes.begin(), codes.end(), code);
  return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

// The domain bar of a card: a code that is no domain counts as none.
int DomainBar(char domain) {
  const int bar = IndexOf(kMakeUpDomains, domain);
  return bar >= 0 ? bar : static_cast<int>(kMakeUpDomains.size()) - 1;
}

// The field whose drill-down list a resources bar shares: production lists
// the producers and the contract; cost lists every card paying the resource.
constexpr std::array<std::string_view, 3> kProductionFields = {"TotalMilAmount", "TotalCovAmount",
                                                               "TotalCybAmount"};

std::string Squeezed(std::string_view words) {
  std::string key;
  for (char c : words) {
    if (c != ' ') key += c;
  }
  return key;
}

}  // namespace

std::optional<std::int64_t> TryTotalDeployCost(const TCardRecord& card) {
  std::int64_t total = 0;
  for (const auto* part : {&card.DeployMil, &card.DeployCov, &card.DeployCyb}) {
    const auto value = DeployPart(*part);
    if (!value) return std::nullopt;
    total += *value;
  }
  return total;
}

std::int64_t TotalDeployCost(const TCardRecord& card) {
  if (const auto total = TryTotalDeployCost(card)) return *total;
  for (const auto* part : {&card.DeployMil, &card.DeployCov, &card.DeployCyb}) {
    if (!DeployPart(*part)) throw ConvertError(part->View());
  }
  return 0;
}

std::int64_t CostCurve::BucketTotal(int bucket) const {
  std::int64_t total = 0;
  for (const auto& type : copies) total += type[static_cast<std::size_t>(bucket)];
  return total;
}

DeckFigures ComputeDeckFigures(const DeckAnalysis& analysis) {
  const TDeckStats& stats = analysis.stats;
  const bool assetsOnly = analysis.options.assetsOnly;
  DeckFigures figures;
  figures.domainsOfAssetsOnly = assetsOnly;
  const std::array<std::int32_t, 3> production = {stats.TotalMilAmount, stats.TotalCovAmount,
                                                  stats.TotalCybAmount};
  const auto costs = DeployCosts(stats, "All cards");
  for (std::size_t i = 0; i < 3; ++i) figures.resources[i] = {production[i], costs[i]};
  for (const TDeckEntry& entry : analysis.entries) {
    const TCardRecord& card = entry.Card;
    if (const int type = IndexOf(kMakeUpTypes, card.CardType); type >= 0) {
      figures.byType[static_cast<std::size_t>(type)] += entry.Count;
    }
    if (!assetsOnly || card.CardType == 'A') {
      figures.byDomain[static_cast<std::size_t>(DomainBar(card.Domain))] += entry.Count;
    }
    if (const int type = IndexOf(kCostedTypes, card.CardType); type >= 0) {
      const int bucket = CostBucket(TotalDeployCost(card));
      figures.costCurve.copies[static_cast<std::size_t>(type)][static_cast<std::size_t>(bucket)] +=
          entry.Count;
    }
  }
  return figures;
}

bool IsValidBar(const ChartBar& bar) {
  switch (bar.chart) {
    case FigureChart::kResources:
      return bar.group >= 0 && bar.group < 3 && bar.part >= 0 && bar.part < 2;
    case FigureChart::kCostCurve:
      return bar.group >= 0 && bar.group < kCostBuckets && bar.part >= 0 &&
             bar.part < static_cast<int>(kCostedTypes.size());
    case FigureChart::kMakeUp:
      if (bar.group == 0) return bar.part >= 0 && bar.part < static_cast<int>(kMakeUpTypes.size());
      return bar.group == 1 && bar.part >= 0 && bar.part < static_cast<int>(kMakeUpDomains.size());
  }
  return false;
}

std::string BarKey(const ChartBar& bar) {
  if (!IsValidBar(bar)) return {};
  const auto group = static_cast<std::size_t>(bar.group);
  const auto part = static_cast<std::size_t>(bar.part);
  switch (bar.chart) {
    case FigureChart::kResources:
      return std::string(kResourceWords[group]) + (part == 0 ? "Production" : "Cost");
    case FigureChart::kCostCurve:
      return "Cost" + (group == 6 ? std::string("6Plus") : std::to_string(group)) +
             std::string(kCostedTypeWords[part]);
    case FigureChart::kMakeUp:
      if (group == 0) {
        // "AssetType": the singular of the type's word.
        std::string word(kMakeUpTypeWords[part]);
        word.pop_back();
        return word + "Type";
      }
      if (kMakeUpDomains[part] == ' ') return "NoDomain";
      return Squeezed(kMakeUpDomainWords[part]) + "Domain";
  }
  return {};
}

std::string BarTitle(const ChartBar& bar) {
  if (!IsValidBar(bar)) return {};
  const auto group = static_cast<std::size_t>(bar.group);
  const auto part = static_cast<std::size_t>(bar.part);
  switch (bar.chart) {
    case FigureChart::kResources:
      return std::string(kResourceWords[group]) + (part == 0 ? " production" : " cost");
    case FigureChart::kCostCurve:
      return std::string(kCostedTypeWords[part]) + "s costing " +
             (group == 6 ? std::string("6 or more") : std::to_string(group));
    case FigureChart::kMakeUp:
      if (group == 0) return std::string(kMakeUpTypeWords[part]);
      if (kMakeUpDomains[part] == ' ') return "Cards of no domain";
      return std::string(kMakeUpDomainWords[part]) + " cards";
  }
  return {};
}

std::string BarListName(const ChartBar& bar) {
  const std::string key = BarKey(bar);
  return key.empty() ? std::string() : key + "List.txt";
}

bool BarHolds(const ChartBar& bar, const TCardRecord& card, bool assetsOnly) {
  if (!IsValidBar(bar)) return false;
  const auto group = static_cast<std::size_t>(bar.group);
  const auto part = static_cast<std::size_t>(bar.part);
  switch (bar.chart) {
    case FigureChart::kResources: {
      static const TDeckStats noStats;
      const DrillDownContext context{noStats, false, "All cards"};
      const DrillDownList* list =
          FindDrillDown(part == 0 ? kProductionFields[group] : kCostFields[group]);
      return list != nullptr && list->filter(card, context);
    }
    case FigureChart::kCostCurve: {
      if (card.CardType != kCostedTypes[part]) return false;
      const auto total = TryTotalDeployCost(card);
      return total && CostBucket(*total) == bar.group;
    }
    case FigureChart::kMakeUp:
      if (group == 0) return card.CardType == kMakeUpTypes[part];
      return DomainBar(card.Domain) == bar.part && (!assetsOnly || card.CardType == 'A');
  }
  return false;
}

bool ShowBarCards(MainView& view, CardDatabase& db, const ChartBar& bar) {
  if (!IsValidBar(bar)) return false;
  return view.ShowList(
      BarKey(bar), BarListName(bar),
      [&bar, assetsOnly = view.AssetSwitch()](const TCardRecord& card) {
        return BarHolds(bar, card, assetsOnly);
      },
      db, BarTitle(bar));
}

}  // namespace quillet
