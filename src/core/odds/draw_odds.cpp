#include "core/odds/draw_odds.h"

#include <algorithm>

#include "core/analysis/exact_ratio.h"

namespace quillet {
namespace {

// The chances for k = 1..4 that X >= k, X being `sure` copies always seen
// plus a hypergeometric count (`population` cards, `marked` of them the
// group's, `drawn` drawn), each scaled by `scale` and rounded. A chance is 1
// minus the chances of the fewer counts below k, over the common denominator
// C(population, drawn).
std::array<std::int32_t, kMostCopiesAsked> AtLeast(std::int64_t population, std::int64_t marked,
                                                   std::int64_t drawn, std::int64_t sure,
                                                   std::int32_t scale) {
  std::array<std::int32_t, kMostCopiesAsked> result{};
  const BigInt all = Binomial(population, drawn);
  BigInt below = 0;    // ways to see fewer than k copies
  std::int64_t x = 0;  // the next marked count to add to `below`
  for (std::size_t i = 0; i < kMostCopiesAsked; ++i) {
    const std::int64_t k = static_cast<std::int64_t>(i) + 1;
    for (; x < k - sure; ++x) {
      below += Binomial(marked, x) * Binomial(population - marked, drawn - x);
    }
    result[i] = static_cast<std::int32_t>(RoundHalfEven((all - below) * scale, all));
  }
  return result;
}

std::array<std::int32_t, kMostCopiesAsked> Chances(const OddsGroup& g, std::int64_t seen,
                                                   std::int32_t scale) {
  const std::int64_t n = std::clamp<std::int64_t>(seen, 0, g.Pile);
  if (n <= g.TopDeck) return AtLeast(g.TopDeck, g.TopDeckCopies, n, 0, scale);
  return AtLeast(g.Pile - g.TopDeck, g.Copies - g.TopDeckCopies, n - g.TopDeck, g.TopDeckCopies,
                 scale);
}

}  // namespace

OddsRow DrawOddsRow(const OddsGroup& group, std::int64_t seen) {
  return {seen, Chances(group, seen, 1000)};
}

std::int32_t AtLeastChance(const OddsGroup& group, std::int64_t seen, std::int32_t copies,
                           std::int32_t scale) {
  return Chances(group, seen, scale).at(static_cast<std::size_t>(copies - 1));
}

std::vector<OddsRow> DrawOddsTable(const OddsGroup& group, std::int64_t first, std::int64_t last) {
  std::vector<OddsRow> rows;
  for (std::int64_t seen = first; seen <= last; ++seen) rows.push_back(DrawOddsRow(group, seen));
  return rows;
}

std::string PerMilleText(std::int32_t perMille) {
  return std::to_string(perMille / 10) + '.' + std::to_string(perMille % 10);
}

std::string OddsRowCaption(std::int64_t seen) {
  if (seen <= kOpeningHand) return "Opening hand (" + std::to_string(seen) + ")";
  const std::int64_t draws = seen - kOpeningHand;
  // Appended piece by piece: GCC 12 warns falsely about "+" + std::string.
  std::string caption(1, '+');
  caption += std::to_string(draws);
  caption += draws == 1 ? " draw (" : " draws (";
  caption += std::to_string(seen);
  caption += ')';
  return caption;
}

}  // namespace quillet
