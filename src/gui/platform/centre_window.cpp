#include "gui/platform/centre_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "gui/platform/centring.h"

namespace quillet {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  window.move(area.left() + CentredOffset(area.width(), window.width()),
              area.top() + CentredOffset(area.height(), window.height()));
}

}  // namespace quillet
