#include "core/analysis/drill_down.h"

#include <optional>

#include "core/analysis/figure_choices.h"
#include "core/card_data/card_words.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

using Ctx = DrillDownContext;

template <std::size_t N>
std::optional<std::int32_t> Num(const ShortString<N>& text) {
  return TryStrToInt(text.View());
}

template <Keyword K>
bool HasKeyword(const TCardRecord& card, const Ctx& /*ctx*/) {
  return card.HasKeyword(Mask(K));
}

template <char Type>
bool OfType(const TCardRecord& card, const Ctx& /*ctx*/) {
  return card.CardType == Type;
}

// While the asset switch is on, the domain lists hold assets only, like the
// figures.
template <char Domain>
bool OfDomain(const TCardRecord& card, const Ctx& ctx) {
  return card.Domain == Domain && (!ctx.assetSwitch || card.CardType == 'A');
}

template <char Rarity>
bool OfRarity(const TCardRecord& card, const Ctx& /*ctx*/) {
  return card.CardType != 'H' && card.Rarity == Rarity;
}

bool Offensive(const TCardRecord& card) {
  return card.CardType == 'A' &&
         !(card.AttackMil == '0' && card.AttackCov == '0' && card.AttackCyb == '0');
}

bool ProducesOrContract(char prod, const TCardRecord& card, std::string_view contract) {
  return (prod != ' ' && (card.CardType == 'B' || card.CardType == 'H')) ||
         card.Name.View() == contract;
}

// A card that pays the resource, of the kind chosen for the cost figures.
// Bases and HQs carry the one-blank cost and never appear.
bool Costs(const ShortString<2>& cost, const TCardRecord& card, const Ctx& ctx) {
  if (cost.View() == " ") return false;
  const auto value = Num(cost);
  return value && *value > 0 && OfCostKind(card, ctx.costKind);
}

bool Equals(const std::optional<std::int32_t>& value, std::int32_t shown) {
  return value && *value == shown;
}

}  // namespace

const std::vector<DrillDownList>& DrillDownLists() {
  static const std::vector<DrillDownList> lists = {
      // The whole deck and the types.
      {"DName", "CardList.txt", [](const TCardRecord&, const Ctx&) { return true; }},
      {"TotalAmount", "TotalList.txt",
       [](const TCardRecord& c, const Ctx&) { return c.CardType != 'H'; }},
      {"AssetAmount", "AssetList.txt", OfType<'A'>},
      {"NoAssets", "AssetList.txt", OfType<'A'>},
      {"SelectCard", "AssetList.txt", OfType<'A'>},
      {"EnhanceAmount", "EnhancementList.txt", OfType<'E'>},
      {"IntervenAmount", "InterventionList.txt", OfType<'I'>},
      {"ProgAmount", "ProgramList.txt", OfType<'P'>},
      {"AveragePCA", "ProgramList.txt", OfType<'P'>},
      {"BaseAmount", "BaseList.txt", OfType<'B'>},
      {"NoBases", "BaseList.txt", OfType<'B'>},
      {"HQType", "HQList.txt", OfType<'H'>},
      // Domains.
      {"UNAmount", "UNList.txt", OfDomain<'U'>},
      {"FUSAmount", "FUSList.txt", OfDomain<'F'>},
      {"MonasAmount", "MonasteryList.txt", OfDomain<'M'>},
      {"CorpAmount", "CorporateList.txt", OfDomain<'C'>},
      {"NoNamesAmount", "NonamesList.txt", OfDomain<'N'>},
      {"InnerCircleAmount", "Inner CircleList.txt", OfDomain<'I'>},
      {"TranscendAmount", "TranscendentList.txt", OfDomain<'T'>},
      // Rarities.
      {"VRareAmount", "VRareList.txt", OfRarity<'V'>},
      {"RareAmount", "RareList.txt", OfRarity<'R'>},
      {"UncommonAmount", "UncommonList.txt", OfRarity<'U'>},
      {"CommonAmount", "CommonList.txt", OfRarity<'C'>},
      // Keywords, whatever the card's type.
      {"AlphaAmount", "AlphaList.txt", HasKeyword<Keyword::Alpha>},
      {"AntiTerAmount", "AntiTerrorismList.txt", HasKeyword<Keyword::AntiTerrorism>},
      {"ArcticAmount", "ArcticList.txt", HasKeyword<Keyword::Arctic>},
      {"CommandAmount", "CommandList.txt", HasKeyword<Keyword::Command>},
      {"ConstAmount", "ConstructList.txt", HasKeyword<Keyword::Construct>},
      {"DaemonAmount", "DaemonList.txt", HasKeyword<Keyword::Daemon>},
      {"DebtorAmount", "DebtorList.txt", HasKeyword<Keyword::Debtor>},
      {"DirectAmount", "DirectList.txt", HasKeyword<Keyword::Direct>},
      {"FirstStrikeAmount", "FirstStrikeList.txt", HasKeyword<Keyword::FirstStrike>},
      {"GearAmount", "GearList.txt", HasKeyword<Keyword::Gear>},
      {"GlobalAmount", "GlobalList.txt", HasKeyword<Keyword::Global>},
      {"IceAmount", "IceList.txt", HasKeyword<Keyword::Ice>},
      {"ItemAmount", "ItemList.txt", HasKeyword<Keyword::Item>},
      {"ImplantAmount", "ImplantList.txt", HasKeyword<Keyword::Implant>},
      {"LauncherAmount", "LauncherList.txt", HasKeyword<Keyword::Launcher>},
      {"LocalAmount", "LocalList.txt", HasKeyword<Keyword::Local>},
      {"MechAmount", "MechList.txt", HasKeyword<Keyword::Mech>},
      {"MissileAmount", "MissileList.txt", HasKeyword<Keyword::Missile>},
      {"PilotAmount", "PilotList.txt", HasKeyword<Keyword::Pilot>},
      {"SaboAmount", "SabotageList.txt", HasKeyword<Keyword::Sabotage>},
      {"SpearHeadAmount", "SpearheadList.txt", HasKeyword<Keyword::Spearhead>},
      {"StimAmount", "StimulantList.txt", HasKeyword<Keyword::Stimulant>},
      {"StructAmount", "StructureList.txt", HasKeyword<Keyword::Structure>},
      {"TopDeckAmount", "TopdeckList.txt", HasKeyword<Keyword::Topdeck>},
      {"UniqueAmount", "UniqueList.txt", HasKeyword<Keyword::Unique>},
      {"VeteranAmount", "VeteranList.txt", HasKeyword<Keyword::Veteran>},
      {"VictoryAmount", "VictoryList.txt", HasKeyword<Keyword::Victory>},
      {"VirusAmount", "VirusList.txt", HasKeyword<Keyword::Virus>},
      {"WormAmount", "WormList.txt", HasKeyword<Keyword::Worm>},
      {"YakusaAmount", "YakusaList.txt", HasKeyword<Keyword::Yakusa>},
      // Everything else.
      {"ImmobileAmount", "ImmobileList.txt",
       [](const TCardRecord& c, const Ctx&) {
         return c.CardType == 'A' && c.MoveMil == '0' && c.MoveCov == '0' && c.MoveCyb == '0';
       }},
      {"OtherEnhAmount", "OtherEnhancementList.txt",
       [](const TCardRecord& c, const Ctx&) {
         constexpr std::uint32_t counted = Mask(Keyword::Gear) | Mask(Keyword::Stimulant) |
                                           Mask(Keyword::Implant) | Mask(Keyword::Virus) |
                                           Mask(Keyword::Structure) | Mask(Keyword::Missile) |
                                           Mask(Keyword::Item);
         return c.CardType == 'E' && !c.HasKeyword(counted);
       }},
      {"MilBAmount", "MilBaseList.txt",
       [](const TCardRecord& c, const Ctx&) { return c.CardType == 'B' && c.ProdMil != ' '; }},
      {"CovBAmount", "CovBaseList.txt",
       [](const TCardRecord& c, const Ctx&) { return c.CardType == 'B' && c.ProdCov != ' '; }},
      {"CybBAmount", "CybOpBaseList.txt",
       [](const TCardRecord& c, const Ctx&) { return c.CardType == 'B' && c.ProdCyb != ' '; }},
      {"OtherBaseAmount", "OtherBaseList.txt",
       [](const TCardRecord& c, const Ctx&) {
         return c.CardType == 'B' && c.ProdMil == ' ' && c.ProdCov == ' ' && c.ProdCyb == ' ';
       }},
      // The highest values list every card that reaches the figure shown.
      {"HighFP", "HighFPList.txt",
       [](const TCardRecord& c, const Ctx& x) {
         return Offensive(c) && Equals(Num(c.Firepower), x.stats.HighFP);
       }},
      {"HighStealth", "HighStealthList.txt",
       [](const TCardRecord& c, const Ctx& x) {
         return c.CardType == 'A' && Equals(Num(c.Stealth), x.stats.HighStealth);
       }},
      {"HighPercep", "HighPerceptionList.txt",
       [](const TCardRecord& c, const Ctx& x) {
         return c.CardType == 'A' && Equals(Num(c.Perception), x.stats.HighPercep);
       }},
      {"HighACA", "HighAssetCAList.txt",
       [](const TCardRecord& c, const Ctx& x) {
         return c.CardType == 'A' && Equals(Num(c.CyberAffinity), x.stats.HighACA);
       }},
      {"AverageACA", "AverageAssetCAList.txt",
       [](const TCardRecord& c, const Ctx&) {
         const auto ca = Num(c.CyberAffinity);
         return c.CardType == 'A' && ca && *ca > 1;
       }},
      {"ProgrammerAmount", "AverageAssetCAList.txt",
       [](const TCardRecord& c, const Ctx&) {
         const auto ca = Num(c.CyberAffinity);
         return c.CardType == 'A' && ca && *ca > 1;
       }},
      {"AverageFP", "AverageFPList.txt",
       [](const TCardRecord& c, const Ctx&) { return Offensive(c); }},
      {"OffenceAmount", "AverageFPList.txt",
       [](const TCardRecord& c, const Ctx&) { return Offensive(c); }},
      {"HighPCA", "HighProgCAList.txt",
       [](const TCardRecord& c, const Ctx& x) {
         return c.CardType == 'P' && Equals(Num(c.CyberAffinity), x.stats.HighPCA);
       }},
      // Production: bases and the HQ that produce, and the contracts.
      {"TotalMilAmount", "MilProdList.txt",
       [](const TCardRecord& c, const Ctx&) {
         return ProducesOrContract(c.ProdMil, c, "Arms Export Contract");
       }},
      {"TotalCovAmount", "CovProdList.txt",
       [](const TCardRecord& c, const Ctx&) {
         return ProducesOrContract(c.ProdCov, c, "Covert Ops Contract");
       }},
      {"TotalCybAmount", "CybOpProdList.txt",
       [](const TCardRecord& c, const Ctx&) {
         return ProducesOrContract(c.ProdCyb, c, "Software Maintenance Contract");
       }},
      // Deployment costs follow the kind chosen in the cost selector.
      {"MilCost", "MilCostList.txt",
       [](const TCardRecord& c, const Ctx& x) { return Costs(c.DeployMil, c, x); }},
      {"CovCost", "CovCostList.txt",
       [](const TCardRecord& c, const Ctx& x) { return Costs(c.DeployCov, c, x); }},
      {"CybCost", "CybOpCostList.txt",
       [](const TCardRecord& c, const Ctx& x) { return Costs(c.DeployCyb, c, x); }},
  };
  return lists;
}

const DrillDownList* FindDrillDown(std::string_view component) {
  for (const auto& list : DrillDownLists()) {
    if (list.component == component) return &list;
  }
  return nullptr;
}

}  // namespace quillet
