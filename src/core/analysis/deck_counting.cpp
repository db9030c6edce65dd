#include "core/analysis/deck_counting.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "core/analysis/checked_math.h"
#include "core/analysis/deck_problems.h"
#include "core/card_data/card_words.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

using Field = std::int32_t TDeckStats::*;

struct KeywordCount {
  Keyword keyword;
  Field field;
};

// The keyword counts of each card type, in the order they are counted.
constexpr std::array kAssetKeywords = {
    KeywordCount{Keyword::Mech, &TDeckStats::MechAmount},
    KeywordCount{Keyword::AntiTerrorism, &TDeckStats::AntiTerAmount},
    KeywordCount{Keyword::Sabotage, &TDeckStats::SaboAmount},
    KeywordCount{Keyword::FirstStrike, &TDeckStats::FirstStrikeAmount},
    KeywordCount{Keyword::Launcher, &TDeckStats::LauncherAmount},
    KeywordCount{Keyword::Debtor, &TDeckStats::DebtorAmount},
    KeywordCount{Keyword::Yakusa, &TDeckStats::YakusaAmount},
    KeywordCount{Keyword::Pilot, &TDeckStats::PilotAmount},
    KeywordCount{Keyword::Spearhead, &TDeckStats::SpearHeadAmount},
    KeywordCount{Keyword::Veteran, &TDeckStats::VeteranAmount},
    KeywordCount{Keyword::Unique, &TDeckStats::UniqueAmount},
    KeywordCount{Keyword::Arctic, &TDeckStats::ArcticAmount},
    KeywordCount{Keyword::Topdeck, &TDeckStats::TopDeckAssetAmount},
    KeywordCount{Keyword::Alpha, &TDeckStats::AlphaAmount},
};
constexpr std::array kEnhancementKeywords = {
    KeywordCount{Keyword::Gear, &TDeckStats::GearAmount},
    KeywordCount{Keyword::Stimulant, &TDeckStats::StimAmount},
    KeywordCount{Keyword::Implant, &TDeckStats::ImplantAmount},
    KeywordCount{Keyword::Virus, &TDeckStats::VirusAmount},
    KeywordCount{Keyword::Missile, &TDeckStats::MissileAmount},
    KeywordCount{Keyword::Structure, &TDeckStats::StructAmount},
    KeywordCount{Keyword::Item, &TDeckStats::ItemAmount},
};
constexpr std::array kInterventionKeywords = {
    KeywordCount{Keyword::Global, &TDeckStats::GlobalAmount},
    KeywordCount{Keyword::Local, &TDeckStats::LocalAmount},
    KeywordCount{Keyword::Direct, &TDeckStats::DirectAmount},
    KeywordCount{Keyword::Victory, &TDeckStats::VictoryAmount},
};
constexpr std::array kProgramKeywords = {
    KeywordCount{Keyword::Worm, &TDeckStats::WormAmount},
    KeywordCount{Keyword::Daemon, &TDeckStats::DaemonAmount},
    KeywordCount{Keyword::Construct, &TDeckStats::ConstAmount},
    KeywordCount{Keyword::Ice, &TDeckStats::IceAmount},
    KeywordCount{Keyword::Command, &TDeckStats::CommandAmount},
};

struct DomainCount {
  char code;
  Field all;
  Field assets;
};
constexpr std::array kDomainCounts = {
    DomainCount{'U', &TDeckStats::AllUNAmount, &TDeckStats::AssetUNAmount},
    DomainCount{'F', &TDeckStats::AllFUSAmount, &TDeckStats::AssetFUSAmount},
    DomainCount{'M', &TDeckStats::AllMonasAmount, &TDeckStats::AssetMonasAmount},
    DomainCount{'C', &TDeckStats::AllCorpAmount, &TDeckStats::AssetCorpAmount},
    DomainCount{'N', &TDeckStats::AllNoNamesAmount, &TDeckStats::AssetNoNamesAmount},
    DomainCount{'I', &TDeckStats::AllInnerCircleAmount, &TDeckStats::AssetInnerCircleAmount},
    DomainCount{'T', &TDeckStats::AllTranscendAmount, &TDeckStats::AssetTranscendAmount},
};

const DomainCount* FindDomain(char code) {
  for (const auto& d : kDomainCounts) {
    if (d.code == code) return &d;
  }
  return nullptr;
}

std::int64_t Num(std::string_view text) {
  return StrToInt(text);
}
std::int64_t Num(char c) {
  return StrToInt(std::string_view(&c, 1));
}

template <std::size_t N>
void CountKeywords(const TCardRecord& card, const std::array<KeywordCount, N>& table, TDeckStats& s,
                   std::int32_t count) {
  for (const auto& k : table) {
    if (card.HasKeyword(Mask(k.keyword))) AddTo(s.*k.field, count);
  }
}

void RaiseTo(std::int32_t& high, std::int64_t value) {
  high = CheckedInt32(std::max<std::int64_t>(high, value));
}

// Deploy costs of the three resources into the three sums of a card type.
void AddDeployCosts(const TCardRecord& card, TDeckStats& s, Field mil, Field cov, Field cyb,
                    std::int32_t count) {
  AddTo(s.*mil, Num(card.DeployMil.View()) * count);
  AddTo(s.*cov, Num(card.DeployCov.View()) * count);
  AddTo(s.*cyb, Num(card.DeployCyb.View()) * count);
}

struct Production {
  char TCardRecord::*prod;
  ShortString<2> TCardRecord::*turns;
  Field bases;
  Field total;
};
constexpr std::array kProductions = {
    Production{&TCardRecord::ProdMil, &TCardRecord::TurnsMil, &TDeckStats::MilBAmount,
               &TDeckStats::TotalMilAmount},
    Production{&TCardRecord::ProdCov, &TCardRecord::TurnsCov, &TDeckStats::CovBAmount,
               &TDeckStats::TotalCovAmount},
    Production{&TCardRecord::ProdCyb, &TCardRecord::TurnsCyb, &TDeckStats::CybBAmount,
               &TDeckStats::TotalCybAmount},
};

void CountHQ(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  if (!s.HQFound) {
    s.HQType = card.Name.Str();
    s.HQFound = true;
    // Only the deck's first HQ produces, and once, whatever its count.
    for (const auto& p : kProductions) {
      if (card.*p.prod != ' ') {
        AddTo(s.*p.total, ProductionFigure(card.*p.prod, (card.*p.turns).View()));
      }
    }
  }
  AddTo(s.HQAmount, count);
}

void CountRarity(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  AddTo(s.TotalAmount, count);
  switch (card.Rarity) {
    case 'V':
      AddTo(s.VRareAmount, count);
      break;
    case 'R':
      AddTo(s.RareAmount, count);
      break;
    case 'U':
      AddTo(s.UncommonAmount, count);
      break;
    case 'C':
      AddTo(s.CommonAmount, count);
      break;
    default:
      break;
  }
}

void CountBase(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  AddTo(s.BaseAmount, count);
  bool produces = false;
  for (const auto& p : kProductions) {
    if (card.*p.prod == ' ') continue;
    produces = true;
    AddTo(s.*p.bases, count);
    AddTo(s.*p.total, ProductionFigure(card.*p.prod, (card.*p.turns).View()) * count);
  }
  if (!produces) AddTo(s.OtherBaseAmount, count);
  if (card.HasKeyword(Mask(Keyword::Topdeck))) AddTo(s.TopDeckBaseAmount, count);
}

void CountAsset(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  AddTo(s.AssetAmount, count);
  CountKeywords(card, kAssetKeywords, s, count);
  if (const auto* d = FindDomain(card.Domain)) AddTo(s.*d->assets, count);
  if (card.MoveMil == '0' && card.MoveCov == '0' && card.MoveCyb == '0') {
    AddTo(s.ImmobileAmount, count);
  }
  const std::int64_t stealth = Num(card.Stealth.View());
  RaiseTo(s.HighStealth, stealth);
  RaiseTo(s.HighPercep, Num(card.Perception.View()));
  const std::int64_t affinity = Num(card.CyberAffinity.View());
  RaiseTo(s.HighACA, affinity);
  // A blank attack cost is not "0" either: such an asset can attack.
  if (card.AttackMil != '0' || card.AttackCov != '0' || card.AttackCyb != '0') {
    const std::int64_t firepower = Num(card.Firepower.View());
    AddTo(s.OffenceAmount, count);
    AddTo(s.FPSum, firepower * count);
    RaiseTo(s.HighFP, firepower);
  }
  if (affinity >= 2) {
    AddTo(s.ProgrammerAmount, count);
    AddTo(s.ACASum, affinity * count);
  }
  const std::int64_t mil = Num(card.DeployMil.View());
  const std::int64_t cov = Num(card.DeployCov.View());
  const std::int64_t cyb = Num(card.DeployCyb.View());
  AddTo(s.AssetMilCost, mil * count);
  AddTo(s.AssetCovCost, cov * count);
  AddTo(s.AssetCybCost, cyb * count);
  // Firepower is read here only when the asset pays Military or is a
  // Veteran, so an asset that neither attacks nor pays may leave it blank.
  const bool veteran = card.HasKeyword(Mask(Keyword::Veteran));
  if ((mil >= 1 || veteran) && Num(card.Firepower.View()) >= 5) {
    AddTo(s.MilSacrificeAmount, count);
  }
  if ((cov >= 1 || veteran) && stealth >= 3) AddTo(s.CovSacrificeAmount, count);
  if ((cyb >= 1 || veteran) && affinity >= 4) AddTo(s.CybSacrificeAmount, count);
}

void CountEnhancement(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  AddTo(s.EnhanceAmount, count);
  CountKeywords(card, kEnhancementKeywords, s, count);
  AddDeployCosts(card, s, &TDeckStats::EnhMilCost, &TDeckStats::EnhCovCost, &TDeckStats::EnhCybCost,
                 count);
}

void CountIntervention(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  AddTo(s.IntervenAmount, count);
  CountKeywords(card, kInterventionKeywords, s, count);
  AddDeployCosts(card, s, &TDeckStats::IntervenMilCost, &TDeckStats::IntervenCovCost,
                 &TDeckStats::IntervenCybCost, count);
  // A contract is worth 30 of its resource per copy.
  const std::string_view name = card.Name.View();
  if (name == "Yakusa Contract") {
    AddTo(s.YakusaContractAmount, count);
  } else if (name == "Arms Export Contract") {
    AddTo(s.ArmsExportAmount, count);
    AddTo(s.TotalMilAmount, std::int64_t{30} * count);
  } else if (name == "Covert Ops Contract") {
    AddTo(s.CovertOpsAmount, count);
    AddTo(s.TotalCovAmount, std::int64_t{30} * count);
  } else if (name == "Software Maintenance Contract") {
    AddTo(s.SoftMaintAmount, count);
    AddTo(s.TotalCybAmount, std::int64_t{30} * count);
  }
}

void CountProgram(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  AddTo(s.ProgAmount, count);
  CountKeywords(card, kProgramKeywords, s, count);
  const std::int64_t affinity = Num(card.CyberAffinity.View());
  RaiseTo(s.HighPCA, affinity);
  AddTo(s.PCASum, affinity * count);
  AddDeployCosts(card, s, &TDeckStats::ProgMilCost, &TDeckStats::ProgCovCost,
                 &TDeckStats::ProgCybCost, count);
}

}  // namespace

void CountCard(const TCardRecord& card, TDeckStats& s, std::int32_t count) {
  if (card.CardType == 'H') {
    CountHQ(card, s, count);
  } else {
    CountRarity(card, s, count);
  }
  if (card.HasKeyword(Mask(Keyword::Topdeck))) AddTo(s.TopDeckAmount, count);
  switch (card.CardType) {
    case 'B':
      CountBase(card, s, count);
      break;
    case 'A':
      CountAsset(card, s, count);
      break;
    case 'E':
      CountEnhancement(card, s, count);
      break;
    case 'I':
      CountIntervention(card, s, count);
      break;
    case 'P':
      CountProgram(card, s, count);
      break;
    default:
      break;
  }
  if (const auto* d = FindDomain(card.Domain)) AddTo(s.*d->all, count);
  if (OverCopyLimit(card, count)) s.OverLimitNames.push_back(card.Name.Str());
}

std::int64_t ProductionFigure(char prod, std::string_view turns) {
  if (turns == "**") return Num(prod) * 15;
  return Num(turns) * Num(prod);
}

void ApplyHQRules(TDeckStats& s) {
  if (!s.HQFound) {
    s.HQType = "Normal";
    AddTo(s.TotalMilAmount, 15);
    AddTo(s.TotalCovAmount, 15);
    AddTo(s.TotalCybAmount, 15);
    return;
  }
  // The domain counts include the HQ itself, so each condition means that
  // every card of the deck is of the HQ's domain.
  const std::int64_t withHQ = std::int64_t{s.TotalAmount} + 1;
  if (s.HQType == "Bion HQ") {
    if (withHQ == s.AllMonasAmount) AddTo(s.TotalCybAmount, 15);
  } else if (s.HQType == "Golani Special Forces HQ") {
    if (withHQ == s.AllUNAmount) AddTo(s.TotalCybAmount, 15);
  } else if (s.HQType == "Dragon Company HQ") {
    if (withHQ == s.AllFUSAmount) AddTo(s.TotalCybAmount, 15);
  } else if (s.HQType == "Dresdner Outsource HQ") {
    if (withHQ == s.AllCorpAmount) AddTo(s.TotalMilAmount, 15);
  }
}

std::string MissingCardsMessage(const std::vector<std::string>& names) {
  std::string message = "Error - the following cards could not be found: ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) message += ", ";
    message += names[i];
  }
  return message;
}

}  // namespace quillet
