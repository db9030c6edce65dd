// "Add to Goal" on a list of cards: an item of the list's right-click menu
// that hands the name of the card under the current row to `add`. The lists
// differ in how a row names its card (a heading row names none), so each
// gives its own `nameAt`; an empty name adds nothing.
#pragma once

#include <QByteArray>
#include <functional>

class QAbstractItemView;
class QAction;
class QModelIndex;

namespace quillet {

QAction* AddGoalAction(QAbstractItemView& view,
                       std::function<QByteArray(const QModelIndex&)> nameAt,
                       std::function<void(const QByteArray&)> add);

}  // namespace quillet
