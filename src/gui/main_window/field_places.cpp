#include "gui/main_window/field_places.h"

#include <algorithm>

namespace quillet {

namespace {

constexpr int kCount = 28;     // an ordinary figure
constexpr int kResource = 31;  // production and deployment cost columns
constexpr int kChance = 37;    // opening hand chances

using G = FieldGroup;

const std::vector<FieldPlace> kPlaces = {
    {"AssetAmount", G::kAssetRow, kCount, {}},
    {"MechAmount", G::kAssetRow, kCount, {}},
    {"AntiTerAmount", G::kAssetRow, kCount, {}},
    {"SaboAmount", G::kAssetRow, kCount, {}},
    {"FirstStrikeAmount", G::kAssetRow, kCount, {}},
    {"LauncherAmount", G::kAssetRow, kCount, {}},
    {"ImmobileAmount", G::kAssetRow, kCount, {}},
    {"YakusaAmount", G::kAssetRow, kCount, {}},
    {"DebtorAmount", G::kAssetRow, kCount, {}},
    {"PilotAmount", G::kAssetRow, kCount, {}},
    {"SpearHeadAmount", G::kAssetRow, kCount, {}},
    {"VeteranAmount", G::kAssetRow, kCount, {}},
    {"UniqueAmount", G::kAssetRow, kCount, {}},
    {"ArcticAmount", G::kAssetRow, kCount, {}},
    {"AlphaAmount", G::kAssetRow, kCount, {}},
    {"EnhanceAmount", G::kEnhanceRow, kCount, {}},
    {"GearAmount", G::kEnhanceRow, kCount, {}},
    {"StimAmount", G::kEnhanceRow, kCount, {}},
    {"ImplantAmount", G::kEnhanceRow, kCount, {}},
    {"VirusAmount", G::kEnhanceRow, kCount, {}},
    {"StructAmount", G::kEnhanceRow, kCount, {}},
    {"MissileAmount", G::kEnhanceRow, kCount, {}},
    {"ItemAmount", G::kEnhanceRow, kCount, {}},
    {"OtherEnhAmount", G::kEnhanceRow, kCount, {}},
    {"IntervenAmount", G::kIntervenRow, kCount, {}},
    {"LocalAmount", G::kIntervenRow, kCount, {}},
    {"GlobalAmount", G::kIntervenRow, kCount, {}},
    {"DirectAmount", G::kIntervenRow, kCount, {}},
    {"VictoryAmount", G::kIntervenRow, kCount, {}},
    {"ProgAmount", G::kProgramRow, kCount, {}},
    {"WormAmount", G::kProgramRow, kCount, {}},
    {"DaemonAmount", G::kProgramRow, kCount, {}},
    {"ConstAmount", G::kProgramRow, kCount, {}},
    {"CommandAmount", G::kProgramRow, kCount, {}},
    {"IceAmount", G::kProgramRow, kCount, {}},
    {"BaseAmount", G::kBaseRow, kCount, {}},
    {"MilBAmount", G::kBaseRow, kCount, {}},
    {"CovBAmount", G::kBaseRow, kCount, {}},
    {"CybBAmount", G::kBaseRow, kCount, {}},
    {"OtherBaseAmount", G::kBaseRow, kCount, {}},
    {"TotalAmount", G::kTotal, kCount, {}},
    {"UNAmount", G::kDomains, kCount, {}},
    {"FUSAmount", G::kDomains, kCount, {}},
    {"MonasAmount", G::kDomains, kCount, {}},
    {"CorpAmount", G::kDomains, kCount, {}},
    {"NoNamesAmount", G::kDomains, kCount, {}},
    {"InnerCircleAmount", G::kDomains, kCount, {}},
    {"TranscendAmount", G::kDomains, kCount, {}},
    {"OffenceAmount", G::kStrength, kCount, {8, 86, 22}},
    {"HighFP", G::kStrength, kCount, {8, 86, 50}},
    {"AverageFP", G::kStrength, kCount, {8, 86, 78}},
    {"HighStealth", G::kStrength, kCount, {8, 86, 106}},
    {"HighPercep", G::kStrength, kCount, {120, 197, 22}},
    {"ProgrammerAmount", G::kStrength, kCount, {120, 197, 50}},
    {"HighACA", G::kStrength, kCount, {120, 197, 78}},
    {"AverageACA", G::kStrength, kCount, {120, 197, 106}},
    {"TotalMilAmount", G::kResources, kResource, {230, 287, 38}},
    {"TotalCovAmount", G::kResources, kResource, {-1, 326, 38}},
    {"TotalCybAmount", G::kResources, kResource, {-1, 364, 38}},
    {"MilCost", G::kResources, kResource, {-1, 287, 110}},
    {"CovCost", G::kResources, kResource, {-1, 326, 110}},
    {"CybCost", G::kResources, kResource, {-1, 364, 110}},
    {"HighPCA", G::kProgramStrength, kCount, {8, 86, 154}},
    {"AveragePCA", G::kProgramStrength, kCount, {8, 86, 176}},
    {"NoAssets", G::kChances, kChance, {128, 189, 154}},
    {"NoBases", G::kChances, kChance, {128, 189, 176}},
    {"SelectCard", G::kChances, kChance, {232, 358, 154}},
    {"TopDeckAmount", G::kChances, kChance, {232, 358, 176}},
    {"VRareAmount", G::kRarity, kCount, {44, 104, 206}},
    {"RareAmount", G::kRarity, kCount, {140, 175, 206}},
    {"UncommonAmount", G::kRarity, kCount, {211, 278, 206}},
    {"CommonAmount", G::kRarity, kCount, {314, 370, 206}},
};

}  // namespace

const std::vector<FieldPlace>& FieldPlaces() {
  return kPlaces;
}

const FieldPlace* FindFieldPlace(std::string_view name) {
  const auto it = std::find_if(kPlaces.begin(), kPlaces.end(),
                               [name](const FieldPlace& place) { return place.name == name; });
  return it == kPlaces.end() ? nullptr : &*it;
}

bool InFiguresBox(FieldGroup group) {
  return group >= FieldGroup::kStrength;
}

}  // namespace quillet
