#include "gui/platform/card_text_codec.h"

#include "core/card_data/text_util.h"

namespace quillet {

QString FromCardBytes(std::string_view bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

std::string ToCardBytes(const QString& text) {
  // A QString always converts to valid UTF-8.
  return Utf8ToCp1252(text.toStdString()).value_or(std::string());
}

}  // namespace quillet
