// The report's two charts as SVG documents: the resources (production beside
// deployment cost, a shortfall in red) and the cost curve (copies by cost,
// stacked by card type). They scale to their container (a viewBox and no
// fixed size), carry a title for screen readers, and stand alone, so the HTML
// report puts them inline and the print window renders them to pictures.
#pragma once

#include <string>

#include "core/charts/deck_figures.h"

namespace quillet {

// The colours the charts use, shared with the charts window.
inline constexpr std::string_view kProductionColour = "#3a7bbf";
inline constexpr std::string_view kCostColour = "#9aa5b1";
inline constexpr std::string_view kShortfallColour = "#d33b2c";
inline constexpr std::array<std::string_view, 4> kTypeColours = {"#3a7bbf", "#e3a21a", "#7b5ea7",
                                                                 "#3b9c6e"};

std::string ResourcesSvg(const std::array<ResourceBar, 3>& resources);
std::string CostCurveSvg(const CostCurve& curve);

}  // namespace quillet
