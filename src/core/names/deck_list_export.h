// A deck file as a list to share: "COUNT NAME" per line, in file order, the
// count's value as the analysis reads it ("$A" is 10) in decimal, the name as
// written in UTF-8, LF line ends. What the import reads back as the same
// deck, byte for byte, for a plain deck of found names.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Throws ConvertError for a count field the deck reader refuses.
std::string ExportDeckList(std::string_view deck);

}  // namespace quillet
