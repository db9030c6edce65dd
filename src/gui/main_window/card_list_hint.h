// When a card list line is too wide for the list box, the line is shown in
// full as the list's hint. The list shows `visibleLines` lines without a
// scroll bar (17 at the window's least size, more as it grows); beyond that
// the bar takes room, so a narrower line already needs the hint.
#pragma once

namespace quillet {

inline constexpr int kCardListVisibleLines = 17;

constexpr bool CardLineNeedsHint(int lineCount, int lineWidth, int listWidth,
                                 int visibleLines = kCardListVisibleLines) {
  return (lineCount > visibleLines && lineWidth > listWidth - 25) || lineWidth > listWidth - 3;
}

}  // namespace quillet
