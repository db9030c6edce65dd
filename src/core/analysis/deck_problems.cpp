#include "core/analysis/deck_problems.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/analysis/hand_chance.h"

namespace quillet {
namespace {

constexpr std::int32_t kMinDeckSize = 40;
constexpr std::int32_t kMaxDeckSize = 60;
constexpr std::int32_t kHandWarning = 90;  // percent
constexpr std::int32_t kBaseSurplus = 95;  // percent
constexpr std::int64_t kSurplusMargin = 60;
constexpr std::int32_t kTopDeckLimit = HandSize;

struct HQDomainRule {
  std::string_view hq;
  std::int32_t TDeckStats::*domain;
  std::string_view sentence;
};

constexpr HQDomainRule kHQDomainRules[] = {
    {"Bion HQ", &TDeckStats::AllMonasAmount, "Non-Monastery cards in Bion HQ deck!"},
    {"Golani Special Forces HQ", &TDeckStats::AllUNAmount,
     "Non-UN cards in Golani Special Forces HQ deck!"},
    {"Dresdner Outsource HQ", &TDeckStats::AllCorpAmount,
     "Non-Corporate cards in Dresdner Outsource HQ deck!"},
    {"Dragon Company HQ", &TDeckStats::AllFUSAmount, "Non-FUS cards in Dragon Company HQ deck!"},
    {"Arell Cartel HQ", &TDeckStats::AllNoNamesAmount,
     "Non-Nonames cards in Arell Cartel HQ deck!"},
};

// sum / count < limit, exactly; a count of 0 with a positive sum can only
// come from negative copy counts and fails the analysis.
bool AverageBelow(std::int64_t sum, std::int64_t count, std::int64_t limit) {
  if (count == 0) throw std::domain_error("Division by zero");
  return count > 0 ? sum < limit * count : sum > limit * count;
}

// The FirePower rule: low when even the best attacker is weak, or when the
// attackers average under 1 and none reaches 7.
bool LowFirePower(const TDeckStats& s) {
  if (s.HighFP < 4) return true;
  if (s.FPSum > 0) return AverageBelow(s.FPSum, s.OffenceAmount, 1) && s.HighFP < 7;
  return false;
}

// The CA rule: a program needs more than 2 above the programmers' average.
bool ProgramsNeedHighCA(const TDeckStats& s) {
  if (s.ACASum <= 0 || s.HighPCA > s.HighACA) return false;
  const std::int64_t count = s.ProgrammerAmount;
  if (count == 0) throw std::domain_error("Division by zero");
  // HighPCA > ACASum / count + 2, multiplied out by the count.
  const std::int64_t lhs = (std::int64_t{s.HighPCA} - 2) * count;
  return count > 0 ? lhs > s.ACASum : lhs < s.ACASum;
}

}  // namespace

bool OverCopyLimit(const TCardRecord& card, std::int32_t copies) {
  return copies > kCopyLimit && !(card.CardType == 'B' && card.Rarity == 'C');
}

std::string OverCopyLimitProblem(std::string_view name) {
  return "This deck has more than " + std::to_string(kCopyLimit) + " of '" + std::string(name) +
         "' - It is illegal under normal rules!";
}

std::vector<std::string> CheckDeckProblems(const TDeckStats& s) {
  std::vector<std::string> out;
  auto add = [&out](bool fires, std::string_view sentence) {
    if (fires) out.emplace_back(sentence);
  };
  const std::int32_t assetChance =
      OpeningHandChance(s.AssetAmount, s.TotalAmount, s.TopDeckAssetAmount, s.TopDeckAmount);
  const std::int32_t baseChance =
      OpeningHandChance(s.BaseAmount, s.TotalAmount, s.TopDeckBaseAmount, s.TopDeckAmount);
  const std::int64_t milCost =
      std::int64_t{s.AssetMilCost} + s.EnhMilCost + s.IntervenMilCost + s.ProgMilCost;
  const std::int64_t covCost =
      std::int64_t{s.AssetCovCost} + s.EnhCovCost + s.IntervenCovCost + s.ProgCovCost;
  const std::int64_t cybCost =
      std::int64_t{s.AssetCybCost} + s.EnhCybCost + s.IntervenCybCost + s.ProgCybCost;
  const std::int64_t withHQ = std::int64_t{s.TotalAmount} + 1;

  add(s.TotalAmount < kMinDeckSize,
      "This deck has less than 40 cards - It is illegal under normal rules!");
  for (const auto& name : s.OverLimitNames) out.push_back(OverCopyLimitProblem(name));
  add(s.AssetAmount == 0, "This deck has no assets!!!");
  add(s.BaseAmount == 0, "This deck has no bases!!!");
  add(s.ImmobileAmount == s.AssetAmount, "All the assets are immobile!!");
  add(s.AssetAmount > 0 && s.OffenceAmount == 0, "There are no assets capable of attack!!");
  add(assetChance < kHandWarning, "There is a high chance for a first turn hand with no assets!!");
  add(baseChance < kHandWarning, "There is a high chance for a first turn hand with no bases!!");
  add(s.TotalMilAmount < milCost && milCost > 0,
      "This deck may not produce enough Military resources!");
  add(s.TotalCovAmount < covCost && covCost > 0,
      "This deck may not produce enough Covert resources!");
  add(s.TotalCybAmount < cybCost && cybCost > 0,
      "This deck may not produce enough CyberOps resources!");
  for (const auto& rule : kHQDomainRules) {
    add(s.HQType == rule.hq && withHQ > s.*rule.domain, rule.sentence);
  }
  add(s.YakusaAmount >= 1 && s.YakusaContractAmount == 0,
      "Yakusa assets are useless without a Yakusa Contract!");
  add(s.ArmsExportAmount > s.MilSacrificeAmount,
      "More Arms Export Contracts than FP 5 or more military assets to sacrifice!");
  add(s.CovertOpsAmount > s.CovSacrificeAmount,
      "More Covert Ops Contracts than stealth 3 or more covert assets to sacrifice!");
  add(s.SoftMaintAmount > s.CybSacrificeAmount,
      "More Software Maintenance Contracts than cyberaffinity 4 or more cyberops assets to "
      "sacrifice!");
  add(s.AntiTerAmount == 0, "This deck has no AntiTerrorism assets!");
  add(s.HQAmount > 1,
      "There is more than 1 HQ card in the deck! Note that only the first is considered above.");
  add(s.HighPCA > s.HighACA, "There are programs that require a higher CA than is available!");
  add(s.TopDeckAmount > kTopDeckLimit, "There are more than 8 top deck cards!");
  add(LowFirePower(s), "This deck has low FirePower!");
  add(s.HighPercep < 6, "This deck has low Perception!");
  add(s.HighStealth < 3, "This deck has low Stealth!");
  add(s.MissileAmount > 0 && s.LauncherAmount == 0,
      "There are missiles in the deck, but no assets with launchers.");
  const bool onlyMechs = s.MechAmount == s.AssetAmount;
  add(onlyMechs && s.StimAmount > 0,
      "There are Stimulants in this deck despite having only Mech assets!");
  add(onlyMechs && s.ImplantAmount > 0,
      "There are Implants in this deck despite having only Mech assets!");
  add(onlyMechs && s.VirusAmount > 0,
      "There are Viruses in this deck despite having only Mech assets!");
  add(s.TotalAmount > kMaxDeckSize, "This deck has more than 60 cards.");
  add(s.SaboAmount == 0, "This deck has no Sabotage assets.");
  add(ProgramsNeedHighCA(s),
      "There are programs that require a significantly higher than average CA.");
  if (baseChance > kBaseSurplus) {
    add(s.TotalMilAmount > milCost + kSurplusMargin,
        "There may be too many Military bases in the deck.");
    add(s.TotalCovAmount > covCost + kSurplusMargin,
        "There may be too many Covert bases in the deck.");
    add(s.TotalCybAmount > cybCost + kSurplusMargin,
        "There may be too many CyberOps bases in the deck.");
  }
  return out;
}

}  // namespace quillet
