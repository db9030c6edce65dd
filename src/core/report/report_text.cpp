#include "core/report/report_text.h"

#include "core/report/report_pictures.inc"

namespace quillet {

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string MarkdownCell(std::string_view text) {
  constexpr std::string_view kSpecial = "\\|`*_[]<>#~!";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      out += ' ';
      continue;
    }
    if (kSpecial.find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[n >> 18];
    out += kDigits[(n >> 12) & 63];
    out += kDigits[(n >> 6) & 63];
    out += kDigits[n & 63];
  }
  if (const std::size_t rest = bytes.size() - i; rest > 0) {
    unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kDigits[n >> 18];
    out += kDigits[(n >> 12) & 63];
    out += rest == 2 ? kDigits[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string_view ResourcePicture(std::string_view resource) {
  auto view = [](const unsigned char* bytes, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(bytes), size);
  };
  if (resource == "military") return view(k_military_png, sizeof k_military_png);
  if (resource == "covert") return view(k_covert_png, sizeof k_covert_png);
  if (resource == "cyberops") return view(k_cyberops_png, sizeof k_cyberops_png);
  return {};
}

}  // namespace quillet
