#include "app/centre_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace quillet {

int CentredOffset(int screenSize, int windowSize) {
  // Round half to even, whatever the current floating-point rounding mode.
  const int twice = screenSize - windowSize;
  const int half = twice / 2;
  if (twice % 2 == 0) return half;
  const int lower = twice < 0 ? half - 1 : half;  // the two neighbours of twice/2
  return lower % 2 == 0 ? lower : lower + 1;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  window.move(area.left() + CentredOffset(area.width(), window.width()),
              area.top() + CentredOffset(area.height(), window.height()));
}

}  // namespace quillet
