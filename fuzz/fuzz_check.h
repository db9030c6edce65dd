// The fuzz targets' one assertion: a broken invariant stops the run with
// abort(), which libFuzzer reports with the input that broke it.
#pragma once

#include <cstdlib>

namespace quillet::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace quillet::fuzz
