#include "gui/main_window/elided_label.h"

#include <QPainter>

namespace quillet {

TElidedLabel::TElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void TElidedLabel::SetText(const QString& text) {
  setText(text);
  setAccessibleName(text);
  ShowToolTip();
}

bool TElidedLabel::Elided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

// As tall as a line of its font, empty or not, so the layout around it
// does not move when the text comes.
QSize TElidedLabel::sizeHint() const {
  const QMargins margins = contentsMargins();
  return {fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right(),
          fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize TElidedLabel::minimumSizeHint() const {
  return {0, sizeHint().height()};
}

void TElidedLabel::ShowToolTip() {
  setToolTip(Elided() ? text() : QString());
}

void TElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowToolTip();
}

void TElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect room = contentsRect();
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

}  // namespace quillet
