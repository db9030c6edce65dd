// The deck's figures as charts: resources produced against resources needed,
// the cost curve and the deck's make-up. They are computed from an analysed
// deck (its found lines and statistics) into plain numbers, which the charts
// window draws with Qt Charts and the report draws as SVG. Every bar names the
// cards behind it: ShowBarCards fills the main window's card list with them
// and proposes a file name for Save List that says what the list is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis/deck_analysis.h"
#include "core/analysis/deck_list.h"
#include "core/analysis/deck_stats.h"
#include "core/analysis/figure_choices.h"
#include "core/analysis/main_view.h"
#include "core/card_data/card_database.h"
#include "core/card_data/card_record.h"

namespace quillet {

// The card types that pay a deploy cost, in the order the cost curve stacks
// them.
inline constexpr std::array<char, 4> kCostedTypes = {'A', 'E', 'I', 'P'};
inline constexpr std::array<std::string_view, 4> kCostedTypeWords = {"Asset", "Enhancement",
                                                                     "Intervention", "Program"};
// The cost curve's buckets: 0 (0 or less), 1 to 5, 6 and more.
inline constexpr int kCostBuckets = 7;
inline constexpr std::array<std::string_view, kCostBuckets> kCostBucketLabels = {"0", "1", "2", "3",
                                                                                 "4", "5", "6+"};

// The bucket of a total deploy cost.
constexpr int CostBucket(std::int64_t cost) {
  return cost <= 0 ? 0 : cost >= 6 ? 6 : static_cast<int>(cost);
}

// A card's total deploy cost: DeployMil + DeployCov + DeployCyb, each by the
// integer rule, a blank text counting 0. Throws ConvertError for a text that
// is neither.
std::int64_t TotalDeployCost(const TCardRecord& card);
// The same, nullopt where TotalDeployCost throws.
std::optional<std::int64_t> TryTotalDeployCost(const TCardRecord& card);

// Copies by card type (kCostedTypes order) and cost bucket. Copies are the
// counts of the deck's found lines; bases, HQs and cards of any other type
// are left out.
struct CostCurve {
  std::array<std::array<std::int64_t, kCostBuckets>, 4> copies{};
  std::int64_t BucketTotal(int bucket) const;
};

struct ResourceBar {
  std::int32_t production = 0;  // TotalMilAmount, TotalCovAmount, TotalCybAmount
  std::int32_t cost = 0;        // what deploying every card of the deck costs
  bool Shortfall() const { return cost > production; }
};

// The make-up bars: copies by type (assets, bases, enhancements,
// interventions, programs, HQs) and by domain (the seven domains, then cards
// of no domain). The domain bars count what the main window's domain figures
// count: every card, or with "Count assets only" the assets alone.
inline constexpr std::array<char, 6> kMakeUpTypes = {'A', 'B', 'E', 'I', 'P', 'H'};
inline constexpr std::array<std::string_view, 6> kMakeUpTypeWords = {
    "Assets", "Bases", "Enhancements", "Interventions", "Programs", "HQs"};
inline constexpr std::array<char, 8> kMakeUpDomains = {'U', 'F', 'M', 'C', 'N', 'I', 'T', ' '};
inline constexpr std::array<std::string_view, 8> kMakeUpDomainWords = {
    "UN", "FUS", "Monastery", "Corporate", "Nonames", "Inner Circle", "Transcendent", "No domain"};

struct DeckFigures {
  std::array<ResourceBar, 3> resources;
  CostCurve costCurve;
  std::array<std::int64_t, kMakeUpTypes.size()> byType{};
  std::array<std::int64_t, kMakeUpDomains.size()> byDomain{};
  bool domainsOfAssetsOnly = false;  // byDomain counts assets alone
};

// The figures of the analysed deck: its found lines, each with the record
// the analysis found, and its statistics; the domain bars count assets alone
// under the analysis's assetsOnly. Throws ConvertError.
DeckFigures ComputeDeckFigures(const DeckAnalysis& analysis);

// One bar of one chart.
enum class FigureChart { kResources, kCostCurve, kMakeUp };
struct ChartBar {
  FigureChart chart = FigureChart::kResources;
  // Resources: the resource (0 to 2); cost curve: the bucket (0 to 6); make-up:
  // 0 for the type bars, 1 for the domain bars.
  int group = 0;
  // Resources: 0 production, 1 cost; cost curve: the type (kCostedTypes);
  // make-up: the type (kMakeUpTypes) or domain (kMakeUpDomains).
  int part = 0;
  friend bool operator==(const ChartBar&, const ChartBar&) = default;
};

// Whether the bar exists.
bool IsValidBar(const ChartBar& bar);
// What the bar is, as one word: "Cost3Asset", "Cost6PlusProgram",
// "MilitaryProduction", "CovertCost", "AssetType", "UNDomain", "NoDomain".
// The model's ShownList() names the bar by it.
std::string BarKey(const ChartBar& bar);
// What the bar is, in words, for the heading of its list: "Assets costing
// 3", "Programs costing 6 or more", "Military production", "Covert cost",
// "Assets", "UN cards", "Cards of no domain".
std::string BarTitle(const ChartBar& bar);
// The file name Save List proposes for the bar's cards: the key and
// "List.txt", e.g. "Cost3AssetList.txt".
std::string BarListName(const ChartBar& bar);
// Whether `card` is one of the bar's cards: for production, the bases and HQs
// producing the resource and its contract; for cost, the cards paying more
// than 0 of it; for the cost curve, the type's cards whose total is in the
// bucket; for the make-up, the type's or domain's cards (with `assetsOnly`
// a domain's assets). A numeric text that is no number never matches.
bool BarHolds(const ChartBar& bar, const TCardRecord& card, bool assetsOnly = false);
// Fills the view's card list with the bar's cards, the domain bars following
// its "Count assets only" (MainView::ShowList looks names up in `db` when the
// card file changed). False when no deck is loaded or the bar does not exist.
bool ShowBarCards(MainView& view, CardDatabase& db, const ChartBar& bar);

}  // namespace quillet
