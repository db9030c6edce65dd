#include "analysis/hand_chance.h"

#include <cmath>
#include <cstdlib>

#include "analysis/checked_math.h"
#include "card_data/card_words.h"

namespace quillet {
namespace {

__extension__ typedef __int128 Int128;

// Hands of up to HandSize cards from piles whose factors stay below this are
// computed in 128-bit integers: eight factors of at most 2^15 and the factor 100 stay below 2^127.
constexpr std::int64_t kExactFactorLimit = std::int64_t{1} << 15;

Int128 RoundedRatio128(Int128 num, Int128 den) {  // den > 0
  Int128 quotient = num / den;
  Int128 remainder = num % den;
  if (remainder < 0) {
    --quotient;
    remainder += den;
  }
  const Int128 twice = 2 * remainder;
  if (twice > den || (twice == den && quotient % 2 != 0)) ++quotient;
  return quotient;
}

}  // namespace

std::int32_t DrawChance(std::int64_t K, std::int64_t N, std::int64_t n) {
  if (n < 1) return 0;
  if (N < n) return 100;  // every card of the pile is drawn
  // The chance of none is (N-K)(N-K-1)...(N-K-n+1) / N(N-1)...(N-n+1); the
  // denominator's factors are all at least 1 here.
  if (N - K >= 0 && N - K < n) return 100;  // a factor of the chance of none is 0
  bool exact = n <= HandSize && N < kExactFactorLimit;
  for (std::int64_t i = 1; exact && i <= n; ++i) {
    if (std::llabs(N - K - i + 1) >= kExactFactorLimit) exact = false;
  }
  std::int64_t percentOfNone = 0;
  if (exact) {
    Int128 none = 1;
    Int128 all = 1;
    for (std::int64_t i = 1; i <= n; ++i) {
      none *= N - K - i + 1;
      all *= N - i + 1;
    }
    const Int128 rounded = RoundedRatio128(none * 100, all);
    if (rounded < -(Int128{1} << 40) || rounded > (Int128{1} << 40)) throw OverflowError();
    percentOfNone = static_cast<std::int64_t>(rounded);
  } else {
    // Far beyond any real deck (or a hand made huge by negative Topdeck
    // counts): the products are taken as ratios of factorials through the
    // log-gamma function, which costs the same for any pile, and halves are
    // out of reach of its rounding at these sizes.
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
