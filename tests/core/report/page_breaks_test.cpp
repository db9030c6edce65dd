#include "core/report/page_breaks.h"

#include <gtest/gtest.h>

#include <random>

namespace quillet {
namespace {

bool CutsInside(const std::vector<double>& starts, double top, double bottom) {
  for (const double start : starts) {
    if (start > top && start < bottom) return true;
  }
  return false;
}

// Random columns of blocks (short tables, long tables, rows taller than a
// page, gaps between them) against the rules of a printed page: every piece
// shown, and every piece and every block that fits on a page kept whole.
TEST(PageBreaksTest, NothingThatFitsOnAPageIsCut) {
  std::mt19937 random(5);
  const auto between = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  for (int run = 0; run < 500; ++run) {
    const double height = between(50, 300);
    std::vector<PrintBlock> blocks;
    double y = between(0, 20);
    const int count = static_cast<int>(between(1, 30));
    for (int b = 0; b < count; ++b) {
      PrintBlock block;
      const int pieces = static_cast<int>(between(1, 40));
      for (int p = 0; p < pieces; ++p) {
        const double tall = random() % 50 == 0 ? between(height, 2.5 * height) : between(1, 40);
        block.pieces.push_back({y, y + tall});
        y += tall + (random() % 3 == 0 ? between(0, 5) : 0);
      }
      blocks.push_back(block);
      y += between(0, 15);
    }
    const std::vector<double> starts = PageStarts(blocks, height);
    ASSERT_FALSE(starts.empty());
    ASSERT_EQ(starts.front(), 0.0);
    for (std::size_t i = 1; i < starts.size(); ++i) ASSERT_GT(starts[i], starts[i - 1]);
    // Every piece is shown whole on the page it starts on (a page shows a
    // page height from its top), or, taller than a page, over the pages
    // that follow one another without a gap.
    for (const PrintBlock& block : blocks) {
      for (const PrintPiece& piece : block.pieces) {
        std::size_t page = 0;
        while (page + 1 < starts.size() && starts[page + 1] <= piece.top) ++page;
        double shown = starts[page] + height;
        while (shown < piece.bottom - 1e-9) {
          ASSERT_LT(page + 1, starts.size());
          ASSERT_NEAR(starts[++page], shown, 1e-9);
          shown += height;
        }
      }
    }
    for (const PrintBlock& block : blocks) {
      const double top = block.pieces.front().top;
      const double bottom = block.pieces.back().bottom;
      if (bottom - top <= height) {
        ASSERT_FALSE(CutsInside(starts, top, bottom));
      }
      for (const PrintPiece& piece : block.pieces) {
        if (piece.bottom - piece.top <= height) {
          ASSERT_FALSE(CutsInside(starts, piece.top, piece.bottom));
        }
      }
    }
  }
}

TEST(PageBreaksTest, AShortTableMovesWholeAndALongOneBreaksBetweenRows) {
  // A heading with a short table, then a table of ten rows of 30.
  PrintBlock shortTable{{{0, 20}, {20, 50}, {50, 80}}};
  PrintBlock longTable;
  for (int row = 0; row < 10; ++row)
    longTable.pieces.push_back({90.0 + row * 30, 120.0 + row * 30});
  EXPECT_EQ(PageStarts({shortTable}, 100), std::vector<double>{0});
  EXPECT_EQ(PageStarts({shortTable, longTable}, 100), (std::vector<double>{0, 90, 180, 270, 360}));
  // A short table that still fits below a long one stays; one that does not
  // starts a page.
  PrintBlock after{{{400, 430}, {430, 460}}};
  EXPECT_EQ(PageStarts({longTable, after}, 100), (std::vector<double>{0, 90, 180, 270, 360}));
  EXPECT_EQ(PageStarts({longTable, PrintBlock{{{390, 430}, {430, 470}}}}, 100),
            (std::vector<double>{0, 90, 180, 270, 360, 390}));
}

}  // namespace
}  // namespace quillet
