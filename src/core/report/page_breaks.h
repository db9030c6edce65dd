// Where a printed report's pages begin. The printing code measures the laid
// out report as a column of blocks, each a run of pieces that must not be cut
// (a table row, a list item, a heading kept with what follows it), and this
// cuts the column into pages: a block that fits on a page is never split
// across two; a longer one is split only between its pieces; only a piece
// taller than a whole page is cut inside.
#pragma once

#include <vector>

namespace quillet {

struct PrintPiece {
  double top = 0;
  double bottom = 0;
};

// One block of the column: its pieces from top to bottom, adjoining or not.
struct PrintBlock {
  std::vector<PrintPiece> pieces;
};

// The top of each page, in the column's units, the first being 0: a page
// shows from its top down to the next page's top or `pageHeight`, whichever
// is less (what lies between is only the room between blocks).
// Blocks come from top to bottom; `pageHeight` must be positive.
std::vector<double> PageStarts(const std::vector<PrintBlock>& blocks, double pageHeight);

}  // namespace quillet
