// The words that name a figure of the main window outside it: the Draw Odds
// window's title and heading, and quillet-cli's list of fields. A figure is
// named by its caption without the colon ("Launcher:" -> "Launcher"). The
// six resource boxes have no caption of their own: they sit under a row
// caption ("Production:", "Total Deployment cost for:") and a column picture,
// so they are named by the words of the window: "Military production",
// "Covert deployment cost for All cards".
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The name of the figure `componentName` (an integer field, or DName and
// HQType, which list all cards and the HQ). The deployment costs are named
// for the cost selector's first choice, "All cards"; a name that is no
// figure's is given back as it is.
std::string FieldDisplayName(std::string_view componentName);
// The same, with the deployment costs named for `costKind`, the cost
// selector's item ("Programs": "Covert deployment cost for Programs").
std::string FieldDisplayName(std::string_view componentName, std::string_view costKind);

}  // namespace quillet
