#include "core/report/page_breaks.h"

namespace quillet {
namespace {

struct Pages {
  double height;
  std::vector<double> starts{0.0};

  double top() const { return starts.back(); }
  bool Fits(double bottom) const { return bottom - top() <= height; }
  // A new page from `at`, where the page would hold it.
  void StartAt(double at) {
    if (at > top()) starts.push_back(at);
  }
};

}  // namespace

std::vector<double> PageStarts(const std::vector<PrintBlock>& blocks, double pageHeight) {
  Pages pages{pageHeight};
  for (const PrintBlock& block : blocks) {
    if (block.pieces.empty()) continue;
    const double top = block.pieces.front().top;
    const double bottom = block.pieces.back().bottom;
    if (pages.Fits(bottom)) continue;
    // A block that fits on a page of its own starts one.
    if (bottom - top <= pageHeight) {
      pages.StartAt(top);
      continue;
    }
    for (const PrintPiece& piece : block.pieces) {
      if (pages.Fits(piece.bottom)) continue;
      pages.StartAt(piece.top);
      // Only a piece taller than a page is cut, a page height at a time.
      while (!pages.Fits(piece.bottom)) pages.starts.push_back(pages.top() + pageHeight);
    }
  }
  return pages.starts;
}

}  // namespace quillet
