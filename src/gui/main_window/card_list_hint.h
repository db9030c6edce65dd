// When a card list line is too wide for the list box, the line is shown in
// full as the list's hint. The list shows 17 lines without a scroll bar;
// beyond that the bar takes room, so a narrower line already needs the hint.
#pragma once

namespace quillet {

inline constexpr int kCardListVisibleLines = 17;

constexpr bool CardLineNeedsHint(int lineCount, int lineWidth, int listWidth) {
  return (lineCount > kCardListVisibleLines && lineWidth > listWidth - 25) ||
         lineWidth > listWidth - 3;
}

}  // namespace quillet
