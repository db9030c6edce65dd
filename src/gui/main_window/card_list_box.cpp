#include "gui/main_window/card_list_box.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace quillet {

namespace {

class FixedHeightDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), CardListBox::kItemHeight};
  }
};

}  // namespace

CardListBox::CardListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setItemDelegate(new FixedHeightDelegate(this));
  viewport()->setMouseTracking(true);
}

QStringList CardListBox::lines() const {
  QStringList lines;
  lines.reserve(count());
  for (int row = 0; row < count(); ++row) lines << item(row)->text();
  return lines;
}

void CardListBox::setLines(const QStringList& lines) {
  const QSignalBlocker quiet(this);
  clear();
  addItems(lines);
}

int CardListBox::selectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void CardListBox::selectQuietly(int row) {
  const QSignalBlocker quiet(this);
  if (row < 0) {
    clearSelection();
    setCurrentRow(-1);
  } else {
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
}

void CardListBox::mousePressEvent(QMouseEvent* event) {
  // The right button selects a line only on release, as the mouse-up rule
  // says, so a press must leave the selection alone.
  if (event->button() == Qt::RightButton) return;
  QListWidget::mousePressEvent(event);
}

void CardListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  emit mouseUp(event->position().toPoint(), event->button());
}

void CardListBox::mouseMoveEvent(QMouseEvent* event) {
  QListWidget::mouseMoveEvent(event);
  emit mouseMoved(event->position().toPoint());
}

void CardListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void CardListBox::keyPressEvent(QKeyEvent* event) {
  // The list view would copy the whole line, count and all, to the system
  // clipboard behind the window's back.
  if (event->matches(QKeySequence::Copy)) {
    emit copyPressed();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit enterPressed();
    return;
  }
  QListWidget::keyPressEvent(event);
}

bool CardListBox::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (toolTip().isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), toolTip(), viewport());
    }
    return true;
  }
  return QListWidget::viewportEvent(event);
}

}  // namespace quillet
