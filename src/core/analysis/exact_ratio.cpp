#include "core/analysis/exact_ratio.h"

namespace quillet {

BigInt Binomial(std::int64_t n, std::int64_t k) {
  if (k < 0 || k > n) return 0;
  k = std::min(k, n - k);
  // After step i the value is C(n - k + i, i), an integer, so every division
  // is exact.
  BigInt value = 1;
  for (std::int64_t i = 1; i <= k; ++i) {
    value *= n - k + i;
    value /= i;
  }
  return value;
}

BigInt RoundHalfEven(const BigInt& num, const BigInt& den) {
  BigInt quotient;
  BigInt remainder;
  boost::multiprecision::divide_qr(num, den, quotient, remainder);  // truncates towards zero
  if (remainder < 0) {
    --quotient;
    remainder += den;
  }
  const BigInt twice = remainder * 2;
  if (twice > den || (twice == den && quotient % 2 != 0)) ++quotient;
  return quotient;
}

}  // namespace quillet
