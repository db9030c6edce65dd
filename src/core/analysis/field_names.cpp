#include "core/analysis/field_names.h"

#include <array>

#include "core/analysis/main_view.h"
#include "core/card_data/text_util.h"

namespace quillet {
namespace {

struct ResourceBox {
  std::string_view field;
  std::string_view resource;
  bool cost;  // a deployment cost, else production
};
constexpr std::array<ResourceBox, 6> kResourceBoxes = {{
    {"TotalMilAmount", "Military", false},
    {"TotalCovAmount", "Covert", false},
    {"TotalCybAmount", "CyberOps", false},
    {"MilCost", "Military", true},
    {"CovCost", "Covert", true},
    {"CybCost", "CyberOps", true},
}};

}  // namespace

std::string FieldDisplayName(std::string_view componentName) {
  return FieldDisplayName(componentName, "All cards");
}

std::string FieldDisplayName(std::string_view componentName, std::string_view costKind) {
  if (componentName == "DName") return "All cards";
  if (componentName == "HQType") return "HQ";
  for (const ResourceBox& box : kResourceBoxes) {
    if (box.field != componentName) continue;
    if (box.cost)
      return std::string(box.resource) + " deployment cost for " + std::string(costKind);
    return std::string(box.resource) + " production";
  }
  for (const MasterField& field : MasterFields()) {
    if (field.name != componentName) continue;
    // "AT: " ends in a blank after its colon.
    std::string_view caption = Trim(field.caption);
    if (!caption.empty() && caption.back() == ':') caption.remove_suffix(1);
    return std::string(Trim(caption));
  }
  return std::string(componentName);
}

}  // namespace quillet
