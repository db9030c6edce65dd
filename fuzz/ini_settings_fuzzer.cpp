// Any bytes as a shared settings file: reading never fails, and writing our
// one value changes nothing but that value's line (or adds the section or the
// key), reads back as written, and writing it again changes nothing more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/settings/ini_settings.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  if (size == 0) return 0;
  // The first byte gives the length of the value that follows; the rest is
  // the file.
  const std::size_t valueSize = std::min<std::size_t>(data[0] % 24, size - 1);
  const std::string value(reinterpret_cast<const char*>(data) + 1, valueSize);
  const std::string_view content(reinterpret_cast<const char*>(data) + 1 + valueSize,
                                 size - 1 - valueSize);

  (void)IniValue(content, kDeckDirectorySection, kDeckDirectoryKey);
  std::string updated;
  try {
    updated = IniWithValue(content, kDeckDirectorySection, kDeckDirectoryKey, value);
  } catch (const std::invalid_argument&) {
    const bool blankEnd = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                             value.back() == ' ' || value.back() == '\t');
    Check(blankEnd || value.find_first_of("\r\n") != std::string::npos);
    return 0;
  }
  Check(IniValue(updated, kDeckDirectorySection, kDeckDirectoryKey) == value);
  Check(IniWithValue(updated, kDeckDirectorySection, kDeckDirectoryKey, value) == updated);

  // Whatever the file held apart from the changed stretch is kept: the bytes
  // before and after it are the same, and the stretch lies within one line.
  std::size_t prefix = 0;
  while (prefix < content.size() && prefix < updated.size() && content[prefix] == updated[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < content.size() - prefix && suffix < updated.size() - prefix &&
         content[content.size() - 1 - suffix] == updated[updated.size() - 1 - suffix]) {
    ++suffix;
  }
  for (std::size_t i = prefix; i < content.size() - suffix; ++i) Check(!IsLineEnd(content[i]));
  return 0;
}
