#include "reader/card_text_codec.h"

#include <QList>
#include <array>

#include "card_data/text_util.h"

namespace quillet {

QString FromCardBytes(std::string_view bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

std::string ToCardBytes(const QString& text) {
  // The bytes 0x80 to 0x9F are the only ones whose character is not the code
  // point of the same value; their characters come from the shared decoder.
  static const std::array<char32_t, 32> kHighControls = [] {
    std::array<char32_t, 32> table{};
    for (int b = 0; b < 32; ++b) {
      const char byte = static_cast<char>(0x80 + b);
      table[b] = QString::fromStdString(Cp1252ToUtf8(std::string_view(&byte, 1))).toUcs4().value(0);
    }
    return table;
  }();
  std::string out;
  for (const char32_t c : text.toUcs4()) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    char byte = '?';
    for (int b = 0; b < 32; ++b) {
      if (kHighControls[b] == c) byte = static_cast<char>(0x80 + b);
    }
    out += byte;
  }
  return out;
}

}  // namespace quillet
