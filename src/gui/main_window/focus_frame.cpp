#include "gui/main_window/focus_frame.h"

#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QWidget>

namespace quillet {

void PaintFocusFrame(QWidget& widget) {
  if (!widget.hasFocus()) return;
  QPainter painter(&widget);
  QPen pen(widget.palette().color(QPalette::Highlight));
  pen.setWidth(2);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // A 2-pixel pen is centred on the rectangle, so it is inset by one pixel
  // to stay whole inside the field.
  painter.drawRect(widget.rect().adjusted(1, 1, -1, -1));
}

}  // namespace quillet
