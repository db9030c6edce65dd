#include "gui/main_window/int_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "core/card_data/str_to_int.h"
#include "gui/main_window/focus_frame.h"

namespace quillet {

TIntEdit::TIntEdit(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setFocusPolicy(Qt::StrongFocus);
}

std::int32_t TIntEdit::Value() const {
  QString shown = text();
  if (percentage_) shown.chop(1);
  return TryStrToInt(shown.toStdString()).value_or(0);
}

QString TIntEdit::TextOf(std::int32_t value) const {
  if (value == 0 && !showZero_) return {};
  QString shown = QString::number(value);
  if (percentage_) shown += QLatin1Char('%');
  return shown;
}

void TIntEdit::SetValue(std::int32_t value) {
  setText(TextOf(value));
}

void TIntEdit::AddValue(std::int32_t amount) {
  // Counting wraps round like the 32-bit figures it mirrors instead of
  // overflowing.
  const auto sum = static_cast<std::uint32_t>(Value()) + static_cast<std::uint32_t>(amount);
  SetValue(static_cast<std::int32_t>(sum));
}

void TIntEdit::SetPercentage(bool percentage) {
  if (percentage == percentage_) return;
  QString shown = text();
  if (!shown.isEmpty()) {
    if (percentage) {
      shown += QLatin1Char('%');
    } else {
      shown.chop(1);
    }
    setText(shown);
  }
  percentage_ = percentage;
}

void TIntEdit::SetShowZero(bool showZero) {
  if (Value() == 0) {
    showZero_ = showZero;
    setText(TextOf(0));
  }
  showZero_ = showZero;
}

void TIntEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

void TIntEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void TIntEdit::keyPressEvent(QKeyEvent* event) {
  // A figure has no text to edit or walk through, so its keys move between
  // figures and open its list; the rest (Ctrl+C above all) stay the line
  // edit's.
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space:
        emit activated();
        return;
      case Qt::Key_Left:
      case Qt::Key_Up:
        emit stepped(Step::kPrevious);
        return;
      case Qt::Key_Right:
      case Qt::Key_Down:
        emit stepped(Step::kNext);
        return;
      case Qt::Key_Home:
        emit stepped(Step::kFirst);
        return;
      case Qt::Key_End:
        emit stepped(Step::kLast);
        return;
      default:
        break;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TIntEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  PaintFocusFrame(*this);
}

}  // namespace quillet
