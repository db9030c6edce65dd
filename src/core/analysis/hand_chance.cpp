#include "core/analysis/hand_chance.h"

#include <cmath>

#include "core/analysis/checked_math.h"
#include "core/analysis/exact_ratio.h"
#include "core/card_data/card_words.h"

namespace quillet {
namespace {

// Hands up to this many cards are computed exactly in big integers, which
// covers every pile the odds accept; only hands made larger than that by
// negative Topdeck counts fall back to floating point.
constexpr std::int64_t kExactHandLimit = 10000;

}  // namespace

std::int32_t DrawChance(std::int64_t K, std::int64_t N, std::int64_t n) {
  if (n < 1) return 0;
  if (N < n) return 100;  // every card of the pile is drawn
  // The chance of none is (N-K)(N-K-1)...(N-K-n+1) / N(N-1)...(N-n+1); the
  // denominator's factors are all at least 1 here.
  if (N - K >= 0 && N - K < n) return 100;  // a factor of the chance of none is 0
  std::int64_t percentOfNone = 0;
  if (n <= kExactHandLimit) {
    BigInt none = 1;
    BigInt all = 1;
    for (std::int64_t i = 1; i <= n; ++i) {
      none *= N - K - i + 1;
      all *= N - i + 1;
    }
    const BigInt rounded = RoundHalfEven(none * 100, all);
    if (rounded < -(BigInt{1} << 40) || rounded > (BigInt{1} << 40)) throw OverflowError();
    percentOfNone = static_cast<std::int64_t>(rounded);
  } else {
    // Far beyond any real deck (a hand made huge by negative Topdeck counts):
    // the products are taken as ratios of factorials through the log-gamma
    // function, which costs the same for any pile; halves are out of reach of
    // its rounding at these sizes.
    const auto lg = [](std::int64_t x) { return std::lgamma(static_cast<long double>(x)); };
    long double logNone = lg(N - n + 1) - lg(N + 1);
    bool negative = false;
    if (N - K >= n) {
      logNone += lg(N - K + 1) - lg(N - K - n + 1);
    } else {  // K > N: every factor N-K-i+1 is negative
      logNone += lg(K - N + n) - lg(K - N);
      negative = n % 2 != 0;
    }
    if (logNone > std::log(1e10L)) throw OverflowError();
    const long double percent = std::nearbyint(std::exp(logNone) * 100);
    percentOfNone = static_cast<std::int64_t>(negative ? -percent : percent);
  }
  return CheckedInt32(100 - percentOfNone);
}

std::int32_t OpeningHandChance(std::int32_t count, std::int32_t deckSize, std::int32_t topDeckCount,
                               std::int32_t topDeckAmount) {
  // When the group has Topdeck cards, the hand is dealt from the Topdeck
  // cards alone.
  if (topDeckCount >= 1) return DrawChance(topDeckCount, topDeckAmount, HandSize);
  // Otherwise the Topdeck cards take their places and the others are drawn
  // from the rest.
  return DrawChance(count, std::int64_t{deckSize} - topDeckAmount,
                    std::int64_t{HandSize} - topDeckAmount);
}

std::int32_t SelectedCardChance(std::int32_t copies, const TCardRecord& card,
                                const TDeckStats& stats) {
  const bool topdeck = card.HasKeyword(Mask(Keyword::Topdeck));
  if (stats.TopDeckAmount <= HandSize) {
    if (topdeck || card.CardType == 'H') return 100;
    return DrawChance(copies, std::int64_t{stats.TotalAmount} - stats.TopDeckAmount,
                      std::int64_t{HandSize} - stats.TopDeckAmount);
  }
  if (topdeck) return DrawChance(copies, stats.TopDeckAmount, HandSize);
  return 0;
}

}  // namespace quillet
