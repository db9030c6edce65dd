#include "gui/main_window/name_edit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "gui/main_window/focus_frame.h"

namespace quillet {

namespace {

// The room QLineEdit leaves between its contents rectangle and its text.
constexpr int kTextMargin = 2;

}  // namespace

NameEdit::NameEdit(Qt::TextElideMode elide, QWidget* parent) : QLineEdit(parent), elide_(elide) {
  setReadOnly(true);
  connect(this, &QLineEdit::textChanged, this, &NameEdit::showToolTip);
}

void NameEdit::setHint(const QString& hint) {
  hint_ = hint;
  showToolTip();
}

QRect NameEdit::textRoom() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).adjusted(kTextMargin, 0, -kTextMargin, 0);
}

bool NameEdit::elided() const {
  return fontMetrics().horizontalAdvance(text()) > textRoom().width();
}

void NameEdit::showToolTip() {
  setToolTip(elided() ? text() + QLatin1Char('\n') + hint_ : hint_);
}

void NameEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  showToolTip();
}

void NameEdit::paintEvent(QPaintEvent* event) {
  if (!elided()) {
    QLineEdit::paintEvent(event);
  } else {
    // Drawn as the line edit draws itself, with the elided text in place of
    // the part that would show.
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect room = textRoom();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), elide_, room.width()));
  }
  PaintFocusFrame(*this);
}

}  // namespace quillet
