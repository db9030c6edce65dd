// The words above the main window's card list, which say what it holds: the
// figure whose list it is, with its copies and lines ("AT: 6 copies in 2
// lines"), or the whole deck ("Deck: 40 cards and the HQ in 22 lines", the
// cards counted as Total counts them). The copies are those of the lines
// shown, so the heading always sums what the player sees.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_list.h"

namespace quillet {

class MainView;

// `shownList` is the view's ShownList(): empty or "DName" for the whole deck,
// else a figure's component name (named as FieldDisplayName names it for
// `costKind`) or the key of another list, named by `title` (its key when it
// has none).
std::string CardListHeading(std::string_view shownList, std::string_view costKind,
                            const std::vector<TDeckEntry>& lines, std::string_view title = {});
// The heading of what the model shows now; empty while no deck is analysed.
std::string CardListHeading(const MainView& view);

}  // namespace quillet
