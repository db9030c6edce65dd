#include "gui/platform/goal_action.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPointer>
#include <utility>

namespace quillet {

GoalAction::GoalAction(const QString& name, std::function<QByteArray()> group,
                       std::function<void(const QByteArray&)> add, QObject* parent)
    : QAction(QStringLiteral("Add to &Goal"), parent), group_(std::move(group)) {
  setObjectName(name);
  connect(this, &QAction::triggered, this, [this, add = std::move(add)] {
    const QByteArray chosen = group_();
    if (!chosen.isEmpty()) add(chosen);
  });
  refresh();
}

void GoalAction::refresh() {
  setEnabled(!group_().isEmpty());
}

GoalAction* AddGoalAction(QAbstractItemView& view,
                          std::function<QByteArray(const QModelIndex&)> nameAt,
                          std::function<void(const QByteArray&)> add) {
  // The current row is asked of the selection model rather than the view:
  // the model's signals can still arrive while the view is being destroyed.
  auto* action = new GoalAction(
      QStringLiteral("AddToGoal"),
      [selection = QPointer<QItemSelectionModel>(view.selectionModel()),
       nameAt = std::move(nameAt)] {
        const QModelIndex index = selection ? selection->currentIndex() : QModelIndex();
        return index.isValid() ? nameAt(index) : QByteArray();
      },
      std::move(add), &view);
  view.addAction(action);
  view.setContextMenuPolicy(Qt::ActionsContextMenu);
  // A right-click makes its row current before the menu opens; refilling
  // the list changes what the current row holds.
  QObject::connect(view.selectionModel(), &QItemSelectionModel::currentChanged, action,
                   &GoalAction::refresh);
  QAbstractItemModel* model = view.model();
  QObject::connect(model, &QAbstractItemModel::modelReset, action, &GoalAction::refresh);
  QObject::connect(model, &QAbstractItemModel::layoutChanged, action, &GoalAction::refresh);
  QObject::connect(model, &QAbstractItemModel::rowsInserted, action, &GoalAction::refresh);
  QObject::connect(model, &QAbstractItemModel::rowsRemoved, action, &GoalAction::refresh);
  return action;
}

}  // namespace quillet
