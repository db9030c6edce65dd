#include "gui/browser/list_edit_actions.h"

#include <QAbstractItemView>
#include <QAction>
#include <QKeySequence>
#include <QToolButton>

#include "gui/browser/deck_edit_actions.h"

namespace quillet {
namespace {

QAction* ListAction(QAbstractItemView& list, QWidget& owner, const char* name,
                    const QString& caption, const QList<QKeySequence>& keys) {
  auto* action = new QAction(caption, &owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  list.addAction(action);
  return action;
}

}  // namespace

ListEditActions AddListEditActions(QAbstractItemView& list, QWidget& owner,
                                   const std::function<void()>& copy,
                                   const std::function<void(int)>& change) {
  ListEditActions actions;
  actions.copyNames = ListAction(list, owner, "CopyNames", QStringLiteral("&Copy Names"),
                                 QKeySequence::keyBindings(QKeySequence::Copy));
  actions.addCopy = ListAction(list, owner, "AddCopy", QStringLiteral("+1"),
                               {QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Plus)});
  actions.addCopy->setToolTip(
      QStringLiteral("Add a copy of each selected card to the open deck (Insert, +)"));
  // A true minus sign, as in the captions of the edits in the Edit menu.
  actions.removeCopy =
      ListAction(list, owner, "RemoveCopy", QString(QChar(0x2212)) + QStringLiteral("1"),
                 {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Minus)});
  actions.removeCopy->setToolTip(
      QStringLiteral("Take a copy of each selected card out of the open deck (Delete, -)"));
  list.setContextMenuPolicy(Qt::ActionsContextMenu);
  QObject::connect(actions.copyNames, &QAction::triggered, &owner, [copy] { copy(); });
  QObject::connect(actions.addCopy, &QAction::triggered, &owner, [change] { change(1); });
  QObject::connect(actions.removeCopy, &QAction::triggered, &owner, [change] { change(-1); });
  return actions;
}

QToolButton* NewEditButton(QAction& action, int minimumWidth, QWidget& parent) {
  auto* button = new QToolButton(&parent);
  button->setObjectName(action.objectName() + QStringLiteral("Button"));
  button->setDefaultAction(&action);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setMinimumWidth(minimumWidth);
  return button;
}

void AddUndoRedo(QAbstractItemView& list, QWidget& owner, DeckEditActions& edits) {
  auto* separator = new QAction(&owner);
  separator->setObjectName(QStringLiteral("EditSeparator"));
  separator->setSeparator(true);
  list.addAction(separator);
  list.addAction(edits.undoAction());
  list.addAction(edits.redoAction());
  owner.addAction(edits.undoAction());
  owner.addAction(edits.redoAction());
}

}  // namespace quillet
