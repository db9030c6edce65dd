// The drill-down lists: for every field of the main window that opens one
// (every integer field, the deck name and the HQ name), the filter that picks
// the deck cards behind the figure and the file name Save List proposes for
// the list. The window and the CLI share this one table.
#pragma once

#include <string_view>
#include <vector>

#include "core/analysis/deck_stats.h"
#include "core/card_data/card_record.h"

namespace quillet {

// What a filter may read besides the card: the statistics (the figures the
// highest-value fields show) and the two switches of the window, read when
// the list is built.
struct DrillDownContext {
  const TDeckStats& stats;
  bool assetSwitch = false;
  std::string_view costKind;  // the CostBox text
};

// A numeric field that holds no number never matches a filter.
using CardFilter = bool (*)(const TCardRecord& card, const DrillDownContext& context);

struct DrillDownList {
  std::string_view component;  // the field's component name
  std::string_view listName;   // e.g. "HighFPList.txt"
  CardFilter filter;
};

const std::vector<DrillDownList>& DrillDownLists();
const DrillDownList* FindDrillDown(std::string_view component);

}  // namespace quillet
