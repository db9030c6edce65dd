#include "gui/main_window/field_places.h"

#include <algorithm>

namespace quillet {

namespace {

constexpr int kCount = 28;     // an ordinary figure
constexpr int kResource = 31;  // production and deployment cost columns
constexpr int kChance = 37;    // opening hand chances

// Pair spacing in the keyword rows follows the caption widths of the window
// font, 70 to 90 pixels from one caption to the next.
constexpr int kAssetRowY = 1;    // Slider1 starts one pixel above the row's fields
constexpr int kEnhanceRowY = 0;  // Slider2 starts level with them
constexpr int kRow3 = 74;
constexpr int kRow4 = 106;
constexpr int kRow5 = 139;
constexpr int kDomainPitch = 32;

using P = FieldPanel;

const std::vector<FieldPlace> kPlaces = {
    {"AssetAmount", P::kTypes, 8, 86, 10, kCount},
    {"MechAmount", P::kAssetSlider, 4, 44, kAssetRowY, kCount},
    {"AntiTerAmount", P::kAssetSlider, 82, 105, kAssetRowY, kCount},
    {"SaboAmount", P::kAssetSlider, 152, 207, kAssetRowY, kCount},
    {"FirstStrikeAmount", P::kAssetSlider, 245, 305, kAssetRowY, kCount},
    {"LauncherAmount", P::kAssetSlider, 343, 396, kAssetRowY, kCount},
    {"ImmobileAmount", P::kAssetSlider, 434, 486, kAssetRowY, kCount},
    {"YakusaAmount", P::kAssetSlider, 524, 567, kAssetRowY, kCount},
    {"DebtorAmount", P::kAssetSlider, 605, 651, kAssetRowY, kCount},
    {"PilotAmount", P::kAssetSlider, 689, 723, kAssetRowY, kCount},
    {"SpearHeadAmount", P::kAssetSlider, 761, 822, kAssetRowY, kCount},
    {"VeteranAmount", P::kAssetSlider, 860, 911, kAssetRowY, kCount},
    {"UniqueAmount", P::kAssetSlider, 949, 991, kAssetRowY, kCount},
    {"ArcticAmount", P::kAssetSlider, 1029, 1064, kAssetRowY, kCount},
    {"AlphaAmount", P::kAssetSlider, 1102, 1138, kAssetRowY, kCount},
    {"EnhanceAmount", P::kTypes, 8, 86, 42, kCount},
    {"GearAmount", P::kEnhanceSlider, 4, 36, kEnhanceRowY, kCount},
    {"StimAmount", P::kEnhanceSlider, 74, 133, kEnhanceRowY, kCount},
    {"ImplantAmount", P::kEnhanceSlider, 171, 220, kEnhanceRowY, kCount},
    {"VirusAmount", P::kEnhanceSlider, 258, 302, kEnhanceRowY, kCount},
    {"StructAmount", P::kEnhanceSlider, 340, 398, kEnhanceRowY, kCount},
    {"MissileAmount", P::kEnhanceSlider, 436, 483, kEnhanceRowY, kCount},
    {"ItemAmount", P::kEnhanceSlider, 521, 555, kEnhanceRowY, kCount},
    {"OtherEnhAmount", P::kEnhanceSlider, 593, 634, kEnhanceRowY, kCount},
    {"IntervenAmount", P::kTypes, 8, 86, kRow3, kCount},
    {"LocalAmount", P::kTypes, 124, 158, kRow3, kCount},
    {"GlobalAmount", P::kTypes, 196, 235, kRow3, kCount},
    {"DirectAmount", P::kTypes, 273, 309, kRow3, kCount},
    {"VictoryAmount", P::kTypes, 347, 388, kRow3, kCount},
    {"ProgAmount", P::kTypes, 8, 86, kRow4, kCount},
    {"WormAmount", P::kTypes, 124, 166, kRow4, kCount},
    {"DaemonAmount", P::kTypes, 204, 259, kRow4, kCount},
    {"ConstAmount", P::kTypes, 297, 357, kRow4, kCount},
    {"CommandAmount", P::kTypes, 395, 459, kRow4, kCount},
    {"IceAmount", P::kTypes, 497, 519, kRow4, kCount},
    {"BaseAmount", P::kTypes, 8, 86, kRow5, kCount},
    {"MilBAmount", P::kTypes, 124, 166, kRow5, kCount},
    {"CovBAmount", P::kTypes, 204, 244, kRow5, kCount},
    {"CybBAmount", P::kTypes, 282, 339, kRow5, kCount},
    {"OtherBaseAmount", P::kTypes, 377, 411, kRow5, kCount},
    {"TotalAmount", P::kTotal, 8, 86, 6, kCount},
    {"UNAmount", P::kDomains, 6, 78, 6, kCount},
    {"FUSAmount", P::kDomains, 6, 78, 6 + kDomainPitch, kCount},
    {"MonasAmount", P::kDomains, 6, 78, 6 + 2 * kDomainPitch, kCount},
    {"CorpAmount", P::kDomains, 6, 78, 6 + 3 * kDomainPitch, kCount},
    {"NoNamesAmount", P::kDomains, 6, 78, 6 + 4 * kDomainPitch, kCount},
    {"InnerCircleAmount", P::kDomains, 6, 78, 6 + 5 * kDomainPitch, kCount},
    {"TranscendAmount", P::kDomains, 6, 78, 6 + 6 * kDomainPitch, kCount},
    {"OffenceAmount", P::kFigures, 8, 86, 22, kCount},
    {"HighFP", P::kFigures, 8, 86, 50, kCount},
    {"AverageFP", P::kFigures, 8, 86, 78, kCount},
    {"HighStealth", P::kFigures, 8, 86, 106, kCount},
    {"HighPercep", P::kFigures, 120, 197, 22, kCount},
    {"ProgrammerAmount", P::kFigures, 120, 197, 50, kCount},
    {"HighACA", P::kFigures, 120, 197, 78, kCount},
    {"AverageACA", P::kFigures, 120, 197, 106, kCount},
    {"TotalMilAmount", P::kFigures, 230, 287, 38, kResource},
    {"TotalCovAmount", P::kFigures, -1, 326, 38, kResource},
    {"TotalCybAmount", P::kFigures, -1, 364, 38, kResource},
    {"MilCost", P::kFigures, -1, 287, 110, kResource},
    {"CovCost", P::kFigures, -1, 326, 110, kResource},
    {"CybCost", P::kFigures, -1, 364, 110, kResource},
    {"HighPCA", P::kFigures, 8, 86, 154, kCount},
    {"AveragePCA", P::kFigures, 8, 86, 176, kCount},
    {"NoAssets", P::kFigures, 128, 189, 154, kChance},
    {"NoBases", P::kFigures, 128, 189, 176, kChance},
    {"SelectCard", P::kFigures, 232, 358, 154, kChance},
    {"TopDeckAmount", P::kFigures, 232, 358, 176, kChance},
    {"VRareAmount", P::kFigures, 44, 104, 206, kCount},
    {"RareAmount", P::kFigures, 140, 175, 206, kCount},
    {"UncommonAmount", P::kFigures, 211, 278, 206, kCount},
    {"CommonAmount", P::kFigures, 314, 370, 206, kCount},
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

}  // namespace quillet
