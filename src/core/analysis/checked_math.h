// Exact arithmetic for the statistics. Every figure is a signed 32-bit
// integer; sums and products are formed in 64 bits and a result that does not
// fit fails the analysis instead of wrapping round.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace quillet {

class OverflowError : public std::overflow_error {
 public:
  OverflowError() : std::overflow_error("Integer overflow") {}
};

inline std::int32_t CheckedInt32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw OverflowError();
  }
  return static_cast<std::int32_t>(value);
}

// field += amount, exactly.
inline void AddTo(std::int32_t& field, std::int64_t amount) {
  // Both operands are within 2^33 of zero here, so the 64-bit sum is exact.
  field = CheckedInt32(std::int64_t{field} + amount);
}

}  // namespace quillet
