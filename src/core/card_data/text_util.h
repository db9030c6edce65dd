// Byte-text helpers with the exact rules the card tools use: lower-casing
// touches only A to Z, and trimming removes bytes of value 32 or less.
#pragma once

#include <optional>
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
// UTF-8 text (typed by the user) as Windows-1252 bytes, for comparing with
// card data. Characters without a byte become '?', which no card name holds.
// nullopt when `utf8` is not valid UTF-8 (it is then bytes already).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

}  // namespace quillet
