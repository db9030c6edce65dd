// Byte-text helpers with the exact rules the card tools use: lower-casing
// touches only A to Z, and trimming removes bytes of value 32 or less.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
std::string LowerAscii(std::string_view text);
std::string_view Trim(std::string_view text);

// Windows-1252 bytes as UTF-8, for text shown to the user or written as JSON.
// The five undefined bytes map to the code point of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace quillet
