// The integer rule of the card tools: how a deck line's count field and a
// card's numeric text become a number. Leading blanks are skipped, then an
// optional sign, then decimal digits or hexadecimal digits after "$", "x",
// "X" or "0x", and nothing after. A decimal value must fit in 32 signed bits;
// a hexadecimal one in 32 bits, read as two's complement ("$FFFFFFFF" is -1).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillet {

// A text that is no integer. The message is the one the user is shown:
// "'<text>' is not a valid integer value".
class ConvertError : public std::runtime_error {
 public:
  explicit ConvertError(std::string_view text);
};

// nullopt when `text` is no integer by the rule.
std::optional<std::int32_t> TryStrToInt(std::string_view text);
// Throws ConvertError when `text` is no integer by the rule.
std::int32_t StrToInt(std::string_view text);

}  // namespace quillet
