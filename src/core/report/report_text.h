// Small text helpers of the report renderers: escaping for HTML and for
// Markdown table cells, base64 for data addresses, and the resource pictures.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// & < > " ' as entities.
std::string HtmlEscaped(std::string_view text);
// Text that stays one Markdown table cell and shows literally: the characters
// Markdown reads are escaped with a backslash, line ends become blanks.
std::string MarkdownCell(std::string_view text);
std::string Base64(std::string_view bytes);
// The PNG bytes of a resource's icon: "military", "covert" or "cyberops";
// empty for anything else.
std::string_view ResourcePicture(std::string_view resource);

}  // namespace quillet
