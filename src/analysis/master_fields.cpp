// The main window's integer fields in window order: group box 1 row by row
// (assets and their keywords, enhancements, interventions, programs, bases),
// the total, the domains, then group box 3 (asset values, resources, program
// values, opening-hand chances, rarities). The window builds its controls
// from this table, and the CLI prints its report in the same order.
#include <array>

#include "analysis/master_model.h"

namespace quillet {
namespace {

// The resource boxes have no caption of their own: the row says what they
// count ("Production:", "Total Deployment cost for:" and the cost kind) and
// a picture above the column says which resource.
struct ResourceBox {
  std::string_view name;
  std::string_view resource;
  bool cost;
};
constexpr std::array<ResourceBox, 6> kResourceBoxes = {{
    {"TotalMilAmount", "Military", false},
    {"TotalCovAmount", "Covert", false},
    {"TotalCybAmount", "CyberOps", false},
    {"MilCost", "Military", true},
    {"CovCost", "Covert", true},
    {"CybCost", "CyberOps", true},
}};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

const std::vector<MasterField>& MasterFields() {
  static const std::vector<MasterField> fields = {
      {"AssetAmount", "Assets:", "Double click to see all assets"},
      {"MechAmount", "Mechs:", "Double click to see all Mechs"},
      {"AntiTerAmount", "AT: ", "Double click to see all assets with Anti-Terrorism"},
      {"SaboAmount", "Sabotage:", "Double click to see all assets with Sabotage"},
      {"FirstStrikeAmount", "First Strike:", "Double click to see all assets with First Strike"},
      {"LauncherAmount", "Launcher:", "Double click to see all assets with Launcher"},
      {"ImmobileAmount", "Immobile:", "Double click to see all immobile assets"},
      {"YakusaAmount", "Yakusa:", "Double click to see all Yakusa assets"},
      {"DebtorAmount", "Debtors:", "Double click to see all Debtors"},
      {"PilotAmount", "Pilots:", "Double click to see all Pilots"},
      {"SpearHeadAmount", "Spearhead:", "Double click to see all assets with Spearhead"},
      {"VeteranAmount", "Veterans:", "Double click to see all Veteran assets"},
      {"UniqueAmount", "Unique:", "Double click to see all Unique assets"},
      {"ArcticAmount", "Arctic:", "Double click to see all Arctic assets"},
      {"AlphaAmount", "Alpha:", "Double click to see all Alpha assets"},
      {"EnhanceAmount", "Enhancements:", "Double click to see all enhancements"},
      {"GearAmount", "Gear:", "Double click to see all Gear"},
      {"StimAmount", "Stimulants:", "Double click to see all Stimulants"},
      {"ImplantAmount", "Implants:", "Double click to see all Implants"},
      {"VirusAmount", "Viruses:", "Double click to see all Viruses"},
      {"StructAmount", "Structures:", "Double click to see all Structures"},
      {"MissileAmount", "Missiles:", "Double click to see all Missiles"},
      {"ItemAmount", "Items:", "Double click to see all Items"},
      {"OtherEnhAmount", "Others:", "Double click to see all keywordless enhanecements"},
      {"IntervenAmount", "Interventions:", "Double click to see all interventions"},
      {"LocalAmount", "Local:", "Double click to see all local interventions"},
      {"GlobalAmount", "Global:", "Double click to see all global interventions"},
      {"DirectAmount", "Direct:", "Double click to see all unclassified interventions"},
      {"VictoryAmount", "Victory:", "Double click to see all Victory interventions"},
      {"ProgAmount", "Programs:", "Double click to see all programs"},
      {"WormAmount", "Worms:", "Double click to see all worms"},
      {"DaemonAmount", "Daemons:", "Double click to see all daemons"},
      {"ConstAmount", "Constructs:", "Double click to see all constructs"},
      {"CommandAmount", "Commands:", "Double click to see all unclassified programs"},
      {"IceAmount", "Ice:", "Double click to see all Ice programs"},
      {"BaseAmount", "Bases:", "Double click to see all bases"},
      {"MilBAmount", "Military:", "Double click to see all bases that produce Military resources"},
      {"CovBAmount", "Covert:", "Double click to see all bases that produce Covert resources"},
      {"CybBAmount", "CyberOps:", "Double click to see all bases that produce CyberOps resources"},
      {"OtherBaseAmount", "None:", "Double click to see all bases that don't produce resources"},
      {"TotalAmount", "Total:", "Double click to see all cards excluding HQs"},
      {"UNAmount", "UN:", "Double click to see all UN Cards"},
      {"FUSAmount", "FUS:", "Double click to see all FUS cards"},
      {"MonasAmount", "Monastery:", "Double click to see all Monastery cards"},
      {"CorpAmount", "Corporate:", "Double click to see all Corporate cards"},
      {"NoNamesAmount", "Nonames:", "Double click to see all NoNames cards"},
      {"InnerCircleAmount", "Inner Circle:", "Double click to see all Inner Circle cards"},
      {"TranscendAmount", "Transcendent:", "Double click to see all Transcendent cards"},
      {"OffenceAmount", "Offensive Assets:", "Double click to see all assets capable of attack."},
      {"HighFP", "Highest Offensive FP:", "Highest FP amongst assets capable of attack"},
      {"AverageFP", "Average Offensive FP:", "Average FP of all assets that can attack. "},
      {"HighStealth", "Highest Stealth:", "Double click to see all assets with this Stealth"},
      {"HighPercep", "Highest Perception:", "Double click to see assets with this perception."},
      {"ProgrammerAmount", "Programmers:", "Double Click to see all assets with CA 2 or above."},
      {"HighACA", "Highest CA:", "Highest CA amongst assets"},
      {"AverageACA", "Average Programmer CA:", "Average CA of all assets with CA 2 or higher."},
      {"TotalMilAmount", "Production:", "Total amount of Military resources produced"},
      {"TotalCovAmount", "", "Total amount of Covert resources produced"},
      {"TotalCybAmount", "", "Total amount of CyberOps resources produced"},
      {"MilCost", "", "Total amount of Military resources required to deploy all your cards"},
      {"CovCost", "", "Total amount of Covert resources required to deploy all your cards"},
      {"CybCost", "", "Total amount of CyberOps resources required to deploy all your cards"},
      {"HighPCA", "Highest CA:", "Highest CA required by a program."},
      {"AveragePCA", "Average CA:", "Average CA needed to run all programs"},
      {"NoAssets", "No assets:", "", true},
      {"NoBases", "No bases:", "", true},
      {"SelectCard", "Selected Card:", "", true},
      {"TopDeckAmount", "Top deck cards:", ""},
      {"VRareAmount", "Very Rares:", "Total amount of very rare cards in the deck"},
      {"RareAmount", "Rares:", "Total amount of rare cards in the deck"},
      {"UncommonAmount", "Uncommons:", "Total amount of uncommon cards in the deck"},
      {"CommonAmount", "Commons:", "Total amount of common cards in the deck"},
  };
  return fields;
}

}  // namespace quillet

namespace quillet {

std::string FieldDisplayCaption(std::string_view component, std::string_view costKind) {
  for (const ResourceBox& box : kResourceBoxes) {
    if (box.name != component) continue;
    std::string words(box.resource);
    if (!box.cost) return words + " production";
    return words + " deployment cost for " + std::string(costKind);
  }
  for (const MasterField& field : MasterFields()) {
    if (field.name != component) continue;
    std::string_view caption = TrimBlanks(field.caption);
    if (!caption.empty() && caption.back() == ':') caption.remove_suffix(1);
    return std::string(TrimBlanks(caption));
  }
  return {};
}

}  // namespace quillet
