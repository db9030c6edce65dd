#include "gui/main_window/figure_field.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "core/card_data/str_to_int.h"
#include "gui/main_window/focus_frame.h"

namespace quillet {

FigureField::FigureField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setFocusPolicy(Qt::StrongFocus);
}

std::int32_t FigureField::value() const {
  QString shown = text();
  if (percentage_) shown.chop(1);
  return TryStrToInt(shown.toStdString()).value_or(0);
}

QString FigureField::textOf(std::int32_t value) const {
  if (value == 0 && !showZero_) return {};
  QString shown = QString::number(value);
  if (percentage_) shown += QLatin1Char('%');
  return shown;
}

void FigureField::setValue(std::int32_t value) {
  setText(textOf(value));
}

void FigureField::addValue(std::int32_t amount) {
  // Counting wraps round like the 32-bit figures it mirrors instead of
  // overflowing.
  const auto sum = static_cast<std::uint32_t>(value()) + static_cast<std::uint32_t>(amount);
  setValue(static_cast<std::int32_t>(sum));
}

void FigureField::setPercentage(bool percentage) {
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

void FigureField::setShowZero(bool showZero) {
  if (value() == 0) {
    showZero_ = showZero;
    setText(textOf(0));
  }
  showZero_ = showZero;
}

void FigureField::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

void FigureField::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void FigureField::keyPressEvent(QKeyEvent* event) {
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

void FigureField::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  PaintFocusFrame(*this);
}

}  // namespace quillet
