// Exact arithmetic for chances: binomial coefficients and the rounding of a
// fraction to a whole number, halves to the even neighbour. The numbers of a
// pile of thousands of cards run to thousands of bits, so they are arbitrary
// precision integers (Boost.Multiprecision, header-only); small ones stay in
// the integer's inline storage and cost little more than machine words.
#pragma once

#include <boost/multiprecision/cpp_int.hpp>
#include <cstdint>

namespace quillet {

using BigInt = boost::multiprecision::cpp_int;

// n choose k; 0 when k < 0 or k > n (n >= 0).
BigInt Binomial(std::int64_t n, std::int64_t k);

// num / den rounded to the nearest integer, a half to the even one, for any
// sign of num; den must be positive.
BigInt RoundHalfEven(const BigInt& num, const BigInt& den);

}  // namespace quillet
