#include "core/analysis/card_list_heading.h"

#include <cstdint>

#include "core/analysis/field_names.h"
#include "core/analysis/main_view.h"

namespace quillet {
namespace {

std::string Counted(std::int64_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

std::string CardListHeading(std::string_view shownList, std::string_view costKind,
                            const std::vector<TDeckEntry>& lines) {
  // Wider than a line's count, since a deck may hold many lines of the
  // largest count.
  std::int64_t copies = 0;
  for (const TDeckEntry& line : lines) copies += line.Count;
  const auto lineCount = static_cast<std::int64_t>(lines.size());
  const std::string inLines = " in " + Counted(lineCount, "line", "lines");
  if (shownList.empty() || shownList == "DName") {
    return "Deck: " + Counted(copies, "card", "cards") + inLines;
  }
  return FieldDisplayName(shownList, costKind) + ": " + Counted(copies, "copy", "copies") + inLines;
}

std::string CardListHeading(const MainView& view) {
  if (view.DName().empty()) return {};
  return CardListHeading(view.ShownList(), view.CostBoxText(), view.CardListEntries());
}

}  // namespace quillet
