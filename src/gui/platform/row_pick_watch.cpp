#include "gui/platform/row_pick_watch.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <utility>

namespace quillet {

RowPickWatch::RowPickWatch(QAbstractItemView& view, std::function<void(const QModelIndex&)> picked)
    : QObject(&view), view_(view), picked_(std::move(picked)) {
  setObjectName(QStringLiteral("RowPickWatch"));
  connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { currentMoved(current); });
  connect(&view, &QAbstractItemView::pressed, this,
          [this](const QModelIndex& index) { rowPressed(index); });
  view.viewport()->installEventFilter(this);
  view.installEventFilter(this);
}

bool RowPickWatch::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &view_) {
    // A view taking the focus makes its first row current by itself; that
    // is no pick, so the list shows no card until the player picks one.
    if (event->type() == QEvent::FocusIn && !view_.currentIndex().isValid()) {
      const QModelIndex first = view_.model()->index(0, 0, view_.rootIndex());
      if (first.isValid()) {
        const Quiet quiet(*this);
        view_.selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
      }
    }
    return QObject::eventFilter(watched, event);
  }
  // The view moves the current row before it reports the press; a press
  // that moved it has been told already.
  if (event->type() == QEvent::MouseButtonPress) pickedInPress_ = false;
  return QObject::eventFilter(watched, event);
}

void RowPickWatch::currentMoved(const QModelIndex& current) {
  if (quiet_ > 0 || !current.isValid()) return;
  pickedInPress_ = true;
  picked_(current);
}

void RowPickWatch::rowPressed(const QModelIndex& index) {
  if (quiet_ > 0 || pickedInPress_ || !index.isValid()) return;
  pickedInPress_ = true;
  picked_(index);
}

}  // namespace quillet
