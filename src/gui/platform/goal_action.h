// "Add to Goal": how every list of cards and every figure that opens a list
// hands a group to the Draw Odds panel's goal. One action is built here for
// all of them, so the caption, the name and the enabling rule are the same
// everywhere: the owner says which group the action would add now (a card's
// name, or a figure's component name; empty for none), the action is
// enabled only while there is one, and a trigger hands the group of that
// moment to `add`.
#pragma once

#include <QAction>
#include <QByteArray>
#include <functional>

class QAbstractItemView;
class QModelIndex;

namespace quillet {

class GoalAction : public QAction {
 public:
  GoalAction(const QString& name, std::function<QByteArray()> group,
             std::function<void(const QByteArray&)> add, QObject* parent);

  // Applies the enabling rule to the group of this moment; the owner calls
  // it whenever what the action points at may have changed.
  void refresh();

 private:
  std::function<QByteArray()> group_;
};

// The action in a list's right-click menu, for the card of the current row.
// The lists differ in how a row names its card (a heading row names none),
// so each gives its own `nameAt`. It follows the list by itself.
GoalAction* AddGoalAction(QAbstractItemView& view,
                          std::function<QByteArray(const QModelIndex&)> nameAt,
                          std::function<void(const QByteArray&)> add);

}  // namespace quillet
