// Any text as a command-line number: WholeNumberOption takes it exactly when
// it is decimal digits with an optional leading '-' whose value lies in the
// range, and the option then holds that value; a number past the end of an
// "or more" range holds the end. The model reads the digits one by one, so
// it cannot share a mistake with the option's reader.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_support.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the range: least -1000, 0 or 1; most 100 or the
  // largest int64; "or more" or not.
  const std::int64_t least = data[0] % 3 == 0 ? -1000 : data[0] % 3 - 1;
  const std::uint64_t most = (data[0] / 3) % 2 ? 100 : INT64_MAX;
  const bool orMore = (data[0] / 6) % 2 != 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  // The model: digits read one by one; a magnitude past 64 bits is "huge",
  // beyond every range here whatever its exact value.
  bool number = !text.empty();
  bool negative = false;
  bool huge = false;
  std::uint64_t magnitude = 0;
  for (std::size_t i = 0; i < text.size() && number; ++i) {
    if (i == 0 && text[i] == '-') {
      negative = true;
      number = text.size() > 1;
    } else if (text[i] >= '0' && text[i] <= '9') {
      huge = huge || magnitude > (UINT64_MAX - 9) / 10;
      if (!huge) magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
    } else {
      number = false;
    }
  }
  const std::uint64_t leastMagnitude = least < 0 ? static_cast<std::uint64_t>(-least) : 0;
  const bool zero = !huge && magnitude == 0;
  const bool above = !negative && (huge || magnitude > most);
  const bool below =
      negative && !zero
          ? huge || magnitude > leastMagnitude
          : magnitude < static_cast<std::uint64_t>(std::max<std::int64_t>(least, 0));  // "-0" is 0
  const bool taken = number && !below && (!above || orMore);
  const std::int64_t expected = above      ? static_cast<std::int64_t>(most)
                                : negative ? -static_cast<std::int64_t>(magnitude)
                                           : static_cast<std::int64_t>(magnitude);

  CLI::App app;
  std::int64_t option = 0;
  quillet::cli::WholeNumberOption(*app.add_option("--n", option), least, most, orMore);
  try {
    app.parse(std::vector<std::string>{text, "--n"});  // CLI11 takes them last first
    Check(taken);
    Check(option == expected);
  } catch (const CLI::ParseError&) {
    Check(!taken);
  }
  return 0;
}
