// Case folding for searching card data, which is Windows-1252 bytes. A-Z,
// the accented capitals 0xC0-0xDE (all but the multiplication sign 0xD7) and
// the four capitals outside that block (S, OE and Z with caron, Y with
// diaeresis) fold to their small letters; every other byte stays. So
// "s\xE9ance" (typed) finds "S\xE9ance Broker" (stored) and neither finds
// the other's neighbours by accident.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

unsigned char FoldByte(unsigned char byte);
std::string FoldText(std::string_view bytes);

}  // namespace quillet
