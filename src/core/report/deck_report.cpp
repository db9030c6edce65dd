// Gathers the report from the window's model: the fields in window order,
// cut into the window's groups, with a caption for each (the resource
// figures, captionless in the window under their pictures, are named after
// their row and column), then the figures, the problems and the deck's lines.
#include "core/report/deck_report.h"

#include <array>

#include "core/card_data/text_util.h"

namespace quillet {
namespace {

// The field that starts each group of the window, and the group's title.
struct GroupStart {
  std::string_view field;
  std::string_view title;
};
constexpr std::array<GroupStart, 12> kGroups = {{
    {"AssetAmount", "Assets"},
    {"EnhanceAmount", "Enhancements"},
    {"IntervenAmount", "Interventions"},
    {"ProgAmount", "Programs"},
    {"BaseAmount", "Bases"},
    {"TotalAmount", "Total"},
    {"UNAmount", "Domains"},
    {"OffenceAmount", "Asset values"},
    {"TotalMilAmount", "Resources"},
    {"HighPCA", "Program values"},
    {"NoAssets", "Opening hand chances"},
    {"VRareAmount", "Rarity"},
}};

struct ResourceCaption {
  std::string_view field;
  std::string_view row;  // "Production" or "Deployment cost"
  std::string_view resource;
};
constexpr std::array<ResourceCaption, 6> kResourceCaptions = {{
    {"TotalMilAmount", "Production", "Military"},
    {"TotalCovAmount", "Production", "Covert"},
    {"TotalCybAmount", "Production", "CyberOps"},
    {"MilCost", "Deployment cost", "Military"},
    {"CovCost", "Deployment cost", "Covert"},
    {"CybCost", "Deployment cost", "CyberOps"},
}};

// "Assets:" as "Assets"; a caption ends in a colon and sometimes a blank.
std::string CaptionText(std::string_view caption) {
  std::string_view text = Trim(caption);
  if (!text.empty() && text.back() == ':') text.remove_suffix(1);
  return Cp1252ToUtf8(Trim(text));
}

std::string FieldCaption(const MasterField& field, std::string_view costKind) {
  for (const auto& r : kResourceCaptions) {
    if (r.field != field.name) continue;
    std::string caption(r.row);
    if (r.row == "Deployment cost") caption += " for " + Cp1252ToUtf8(costKind);
    return caption + ", " + std::string(r.resource);
  }
  return CaptionText(field.caption);
}

}  // namespace

DeckReport BuildDeckReport(const DeckAnalysis& analysis, std::int32_t selectCard) {
  DeckReport report;
  // The file's name without its folder: a shared report need not tell where
  // the deck lives.
  const std::string& path = analysis.deckPath;
  report.deckName = Cp1252ToUtf8(path.substr(path.find_last_of("/\\") + 1));
  report.hqType = Cp1252ToUtf8(analysis.stats.HQType);
  report.costKind = Cp1252ToUtf8(analysis.options.costKind);
  report.assetsOnly = analysis.options.assetsOnly;
  for (const MasterField& field : MasterFields()) {
    for (const auto& group : kGroups) {
      if (group.field == field.name) report.sections.push_back({std::string(group.title), {}});
    }
    if (report.sections.empty()) report.sections.push_back({"Figures", {}});
    const std::int32_t value =
        field.name == "SelectCard" ? selectCard : analysis.FieldValue(field.name);
    report.sections.back().fields.push_back(
        {field.name, FieldCaption(field, analysis.options.costKind), value, field.percentage});
  }
  report.figures = ComputeDeckFigures(analysis);
  for (const auto& line : analysis.problems) report.problems.push_back(Cp1252ToUtf8(line));
  for (const auto& name : analysis.missing) report.missing.push_back(Cp1252ToUtf8(name));
  for (const TDeckEntry& entry : analysis.entries) {
    report.cards.push_back({entry.Count, Cp1252ToUtf8(entry.Name)});
  }
  return report;
}

}  // namespace quillet
