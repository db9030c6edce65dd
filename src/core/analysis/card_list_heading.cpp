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
                            const std::vector<TDeckEntry>& lines, std::string_view title) {
  // Wider than a line's count, since a deck may hold many lines of the
  // largest count.
  std::int64_t copies = 0;
  std::int64_t hqs = 0;
  for (const TDeckEntry& line : lines) {
    copies += line.Count;
    if (line.Card.CardType == 'H') hqs += line.Count;
  }
  const auto lineCount = static_cast<std::int64_t>(lines.size());
  const std::string inLines = " in " + Counted(lineCount, "line", "lines");
  if (shownList.empty() || shownList == "DName") {
    // The cards as Total counts them, the HQ apart.
    const std::string hq = hqs == 0   ? std::string()
                           : hqs == 1 ? std::string(" and the HQ")
                                      : " and " + Counted(hqs, "HQ", "HQs");
    return "Deck: " + Counted(copies - hqs, "card", "cards") + hq + inLines;
  }
  const std::string name =
      title.empty() ? FieldDisplayName(shownList, costKind) : std::string(title);
  return name + ": " + Counted(copies, "copy", "copies") + inLines;
}

std::string CardListHeading(const MainView& view) {
  if (view.DName().empty()) return {};
  return CardListHeading(view.ShownList(), view.CostBoxText(), view.CardListEntries(),
                         view.ShownTitle());
}

}  // namespace quillet
