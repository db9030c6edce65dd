#include "core/analysis/deck_stats.h"

#include <cstddef>

#include "core/analysis/checked_math.h"

namespace quillet {

const std::vector<StatField>& StatFields() {
  using S = TDeckStats;
  static const std::vector<StatField> fields = {
      {"TotalAmount", &S::TotalAmount},
      {"AssetAmount", &S::AssetAmount},
      {"BaseAmount", &S::BaseAmount},
      {"EnhanceAmount", &S::EnhanceAmount},
      {"IntervenAmount", &S::IntervenAmount},
      {"ProgAmount", &S::ProgAmount},
      {"HQAmount", &S::HQAmount},
      {"VRareAmount", &S::VRareAmount},
      {"RareAmount", &S::RareAmount},
      {"UncommonAmount", &S::UncommonAmount},
      {"CommonAmount", &S::CommonAmount},
      {"TopDeckAmount", &S::TopDeckAmount},
      {"TopDeckAssetAmount", &S::TopDeckAssetAmount},
      {"TopDeckBaseAmount", &S::TopDeckBaseAmount},
      {"MechAmount", &S::MechAmount},
      {"AntiTerAmount", &S::AntiTerAmount},
      {"SaboAmount", &S::SaboAmount},
      {"FirstStrikeAmount", &S::FirstStrikeAmount},
      {"LauncherAmount", &S::LauncherAmount},
      {"DebtorAmount", &S::DebtorAmount},
      {"YakusaAmount", &S::YakusaAmount},
      {"PilotAmount", &S::PilotAmount},
      {"SpearHeadAmount", &S::SpearHeadAmount},
      {"VeteranAmount", &S::VeteranAmount},
      {"UniqueAmount", &S::UniqueAmount},
      {"ArcticAmount", &S::ArcticAmount},
      {"AlphaAmount", &S::AlphaAmount},
      {"GearAmount", &S::GearAmount},
      {"StimAmount", &S::StimAmount},
      {"ImplantAmount", &S::ImplantAmount},
      {"VirusAmount", &S::VirusAmount},
      {"MissileAmount", &S::MissileAmount},
      {"StructAmount", &S::StructAmount},
      {"ItemAmount", &S::ItemAmount},
      {"GlobalAmount", &S::GlobalAmount},
      {"LocalAmount", &S::LocalAmount},
      {"DirectAmount", &S::DirectAmount},
      {"VictoryAmount", &S::VictoryAmount},
      {"WormAmount", &S::WormAmount},
      {"DaemonAmount", &S::DaemonAmount},
      {"ConstAmount", &S::ConstAmount},
      {"IceAmount", &S::IceAmount},
      {"CommandAmount", &S::CommandAmount},
      {"AllUNAmount", &S::AllUNAmount},
      {"AllFUSAmount", &S::AllFUSAmount},
      {"AllMonasAmount", &S::AllMonasAmount},
      {"AllCorpAmount", &S::AllCorpAmount},
      {"AllNoNamesAmount", &S::AllNoNamesAmount},
      {"AllInnerCircleAmount", &S::AllInnerCircleAmount},
      {"AllTranscendAmount", &S::AllTranscendAmount},
      {"AssetUNAmount", &S::AssetUNAmount},
      {"AssetFUSAmount", &S::AssetFUSAmount},
      {"AssetMonasAmount", &S::AssetMonasAmount},
      {"AssetCorpAmount", &S::AssetCorpAmount},
      {"AssetNoNamesAmount", &S::AssetNoNamesAmount},
      {"AssetInnerCircleAmount", &S::AssetInnerCircleAmount},
      {"AssetTranscendAmount", &S::AssetTranscendAmount},
      {"MilBAmount", &S::MilBAmount},
      {"CovBAmount", &S::CovBAmount},
      {"CybBAmount", &S::CybBAmount},
      {"OtherBaseAmount", &S::OtherBaseAmount},
      {"TotalMilAmount", &S::TotalMilAmount},
      {"TotalCovAmount", &S::TotalCovAmount},
      {"TotalCybAmount", &S::TotalCybAmount},
      {"OffenceAmount", &S::OffenceAmount},
      {"HighFP", &S::HighFP},
      {"FPSum", &S::FPSum},
      {"AverageFP", &S::AverageFP},
      {"HighStealth", &S::HighStealth},
      {"HighPercep", &S::HighPercep},
      {"HighACA", &S::HighACA},
      {"ProgrammerAmount", &S::ProgrammerAmount},
      {"ACASum", &S::ACASum},
      {"AverageACA", &S::AverageACA},
      {"ImmobileAmount", &S::ImmobileAmount},
      {"HighPCA", &S::HighPCA},
      {"PCASum", &S::PCASum},
      {"AveragePCA", &S::AveragePCA},
      {"OtherEnhAmount", &S::OtherEnhAmount},
      {"AssetMilCost", &S::AssetMilCost},
      {"AssetCovCost", &S::AssetCovCost},
      {"AssetCybCost", &S::AssetCybCost},
      {"EnhMilCost", &S::EnhMilCost},
      {"EnhCovCost", &S::EnhCovCost},
      {"EnhCybCost", &S::EnhCybCost},
      {"IntervenMilCost", &S::IntervenMilCost},
      {"IntervenCovCost", &S::IntervenCovCost},
      {"IntervenCybCost", &S::IntervenCybCost},
      {"ProgMilCost", &S::ProgMilCost},
      {"ProgCovCost", &S::ProgCovCost},
      {"ProgCybCost", &S::ProgCybCost},
      {"ArmsExportAmount", &S::ArmsExportAmount},
      {"CovertOpsAmount", &S::CovertOpsAmount},
      {"SoftMaintAmount", &S::SoftMaintAmount},
      {"YakusaContractAmount", &S::YakusaContractAmount},
      {"MilSacrificeAmount", &S::MilSacrificeAmount},
      {"CovSacrificeAmount", &S::CovSacrificeAmount},
      {"CybSacrificeAmount", &S::CybSacrificeAmount},
      {"NoAssets", &S::NoAssets},
      {"NoBases", &S::NoBases},
      {"SelectCard", &S::SelectCard},
  };
  return fields;
}

// The table must name every integer: they all come before HQFound.
static_assert(offsetof(TDeckStats, HQFound) == 101 * sizeof(std::int32_t));

const std::int32_t* FindStat(const TDeckStats& stats, std::string_view name) {
  for (const auto& field : StatFields()) {
    if (field.name == name) return &(stats.*field.member);
  }
  return nullptr;
}

void ResetStatistics(TDeckStats& stats) {
  stats = TDeckStats{};
}

std::int64_t RoundedRatio(std::int64_t num, std::int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  std::int64_t quotient = num / den;
  std::int64_t remainder = num % den;
  if (remainder < 0) {  // make it a floor division
    --quotient;
    remainder += den;
  }
  const std::int64_t twice = 2 * remainder;
  if (twice > den || (twice == den && quotient % 2 != 0)) ++quotient;
  return quotient;
}

namespace {

// An average as the window shows it: 0 unless the sum is positive. The
// quotient of two 32-bit integers is rounded exactly as the correctly rounded
// floating-point division would be, since halves are exact in both.
std::int32_t Average(std::int32_t sum, std::int32_t count) {
  if (sum <= 0) return 0;
  if (count == 0) throw std::domain_error("Division by zero");
  return CheckedInt32(RoundedRatio(sum, count));
}

}  // namespace

void ComputeDerivedValues(TDeckStats& s) {
  const std::int64_t keyworded = std::int64_t{s.GearAmount} + s.StimAmount + s.ImplantAmount +
                                 s.VirusAmount + s.MissileAmount + s.StructAmount + s.ItemAmount;
  s.OtherEnhAmount = CheckedInt32(s.EnhanceAmount - keyworded);
  s.AverageFP = Average(s.FPSum, s.OffenceAmount);
  s.AverageACA = Average(s.ACASum, s.ProgrammerAmount);
  s.AveragePCA = Average(s.PCASum, s.ProgAmount);
}

}  // namespace quillet
