// A length-prefixed string of fixed capacity, as the card record stores its
// texts: one length byte, then Capacity bytes of which only the first `length`
// mean anything. Records read from disk may carry any length byte, so every
// reader clamps it to the capacity instead of trusting it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quillet {

template <std::size_t Capacity>
struct ShortString {
  static_assert(Capacity < 256);
  std::uint8_t length = 0;
  char chars[Capacity] = {};

  // Stores the first Capacity bytes of `text`.
  void Assign(std::string_view text) {
    const std::size_t n = std::min(text.size(), Capacity);
    std::memcpy(chars, text.data(), n);
    length = static_cast<std::uint8_t>(n);
  }

  std::string_view View() const {
    return std::string_view(chars, std::min<std::size_t>(length, Capacity));
  }
  std::string Str() const { return std::string(View()); }
  bool operator==(std::string_view other) const { return View() == other; }
};

}  // namespace quillet
