#include "gui/platform/window_font.h"

namespace quillet {

QFont WindowFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

QFont BoldWindowFont() {
  QFont font = WindowFont();
  font.setBold(true);
  return font;
}

}  // namespace quillet
