#include "gui/main_window/elided_label.h"

#include <QPainter>

namespace quillet {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::showText(const QString& text) {
  setText(text);
  setAccessibleName(text);
  showToolTip();
}

bool ElidedLabel::elided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

// As tall as a line of its font, empty or not, so the layout around it
// does not move when the text comes.
QSize ElidedLabel::sizeHint() const {
  const QMargins margins = contentsMargins();
  return {fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right(),
          fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const {
  return {0, sizeHint().height()};
}

void ElidedLabel::showToolTip() {
  setToolTip(elided() ? text() : QString());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  showToolTip();
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect room = contentsRect();
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

}  // namespace quillet
