#include "core/analysis/figure_choices.h"

#include "core/analysis/checked_math.h"

namespace quillet {
namespace {

using S = TDeckStats;

constexpr std::array<DomainField, 7> kDomainFields = {{
    {"UNAmount", &S::AllUNAmount, &S::AssetUNAmount, "Double click to see all UN cards",
     "Double click to see UN assets"},
    {"FUSAmount", &S::AllFUSAmount, &S::AssetFUSAmount, "Double click to see all FUS cards",
     "Double click to see FUS assets"},
    {"MonasAmount", &S::AllMonasAmount, &S::AssetMonasAmount,
     "Double click to see all Monastery cards", "Double click to see Monastery assets"},
    {"CorpAmount", &S::AllCorpAmount, &S::AssetCorpAmount,
     "Double click to see all Corporate cards", "Double click to see Corporate assets"},
    {"NoNamesAmount", &S::AllNoNamesAmount, &S::AssetNoNamesAmount,
     "Double click to see all NoNames cards", "Double click to see NoNames assets"},
    {"InnerCircleAmount", &S::AllInnerCircleAmount, &S::AssetInnerCircleAmount,
     "Double click to see all Inner Circle cards", "Double click to see Inner Circle assets"},
    {"TranscendAmount", &S::AllTranscendAmount, &S::AssetTranscendAmount,
     "Double click to see all Transcendent cards", "Double click to see Transcendent assets"},
}};

std::int32_t CostSum(const TDeckStats& stats, const std::array<std::int32_t S::*, 4>& fields) {
  std::int64_t sum = 0;
  for (auto field : fields) {
    if (field) sum += stats.*field;
  }
  return CheckedInt32(sum);
}

}  // namespace

const std::array<DomainField, 7>& DomainFields() {
  return kDomainFields;
}

const DomainField* FindDomainField(std::string_view component) {
  for (const auto& field : kDomainFields) {
    if (field.component == component) return &field;
  }
  return nullptr;
}

const std::vector<CostKind>& CostKindTable() {
  static const std::vector<CostKind> kinds = {
      {kAllCardsCostItem,
       0,
       {&S::AssetMilCost, &S::EnhMilCost, &S::IntervenMilCost, &S::ProgMilCost},
       {&S::AssetCovCost, &S::EnhCovCost, &S::IntervenCovCost, &S::ProgCovCost},
       {&S::AssetCybCost, &S::EnhCybCost, &S::IntervenCybCost, &S::ProgCybCost},
       nullptr,
       "deploy all your cards"},
      {"Assets",
       'A',
       {&S::AssetMilCost},
       {&S::AssetCovCost},
       {&S::AssetCybCost},
       &S::AssetAmount,
       "deploy all your assets"},
      {"Enhancements",
       'E',
       {&S::EnhMilCost},
       {&S::EnhCovCost},
       {&S::EnhCybCost},
       &S::EnhanceAmount,
       "use all your enhancements"},
      {"Interventions",
       'I',
       {&S::IntervenMilCost},
       {&S::IntervenCovCost},
       {&S::IntervenCybCost},
       &S::IntervenAmount,
       "invoke all your interventions"},
      {"Programs",
       'P',
       {&S::ProgMilCost},
       {&S::ProgCovCost},
       {&S::ProgCybCost},
       &S::ProgAmount,
       "run all your programs"},
  };
  return kinds;
}

const CostKind* FindCostKind(std::string_view item) {
  for (const auto& kind : CostKindTable()) {
    if (kind.item == item) return &kind;
  }
  return nullptr;
}

bool OfCostKind(const TCardRecord& card, std::string_view kind) {
  const CostKind* found = FindCostKind(kind);
  return found != nullptr && (found->cardType == 0 || card.CardType == found->cardType);
}

std::vector<std::string> CostKindNames() {
  std::vector<std::string> names;
  names.reserve(CostKindTable().size());
  for (const CostKind& kind : CostKindTable()) names.emplace_back(kind.item);
  return names;
}

const std::vector<std::string_view>& CostKinds() {
  static const std::vector<std::string_view> items = [] {
    std::vector<std::string_view> all;
    const auto& table = CostKindTable();
    for (std::size_t i = 1; i < table.size(); ++i) all.push_back(table[i].item);
    all.push_back(table[0].item);
    return all;
  }();
  return items;
}

std::array<std::int32_t, 3> DeployCosts(const TDeckStats& stats, std::string_view costKind) {
  const CostKind* kind = FindCostKind(costKind);
  if (!kind) return {};
  return {CostSum(stats, kind->mil), CostSum(stats, kind->cov), CostSum(stats, kind->cyb)};
}

}  // namespace quillet
