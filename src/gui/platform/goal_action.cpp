#include "gui/platform/goal_action.h"

#include <QAbstractItemView>
#include <QAction>
#include <utility>

namespace quillet {

QAction* AddGoalAction(QAbstractItemView& view,
                       std::function<QByteArray(const QModelIndex&)> nameAt,
                       std::function<void(const QByteArray&)> add) {
  auto* action = new QAction(QStringLiteral("Add to &Goal"), &view);
  action->setObjectName(QStringLiteral("AddToGoal"));
  view.addAction(action);
  view.setContextMenuPolicy(Qt::ActionsContextMenu);
  // A right-click makes its row current before the menu opens.
  QObject::connect(action, &QAction::triggered, &view,
                   [&view, nameAt = std::move(nameAt), add = std::move(add)] {
                     const QModelIndex index = view.currentIndex();
                     if (!index.isValid()) return;
                     const QByteArray name = nameAt(index);
                     if (!name.isEmpty()) add(name);
                   });
  return action;
}

}  // namespace quillet
