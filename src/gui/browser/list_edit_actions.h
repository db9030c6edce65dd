// The actions of a list of cards that edits the open deck, built alike for
// the card browser's table and the Deck panel's tree: "Copy Names" (the copy
// keys), "+1" (Insert, +) and "−1" (Delete, -) on the selected cards, then,
// once the application hands over its DeckEditActions, the shared Undo and
// Redo. They make up the list's right-click menu, and their keys belong to
// the list, so that a search box beside it still types + and -. What a
// trigger does stays the owner's: only it knows how its rows name cards.
#pragma once

#include <functional>

class QAbstractItemView;
class QAction;
class QToolButton;
class QWidget;

namespace quillet {

class DeckEditActions;

struct ListEditActions {
  QAction* copyNames = nullptr;
  QAction* addCopy = nullptr;
  QAction* removeCopy = nullptr;
};

// Builds the three actions, owned by `owner`, into `list`'s menu: `copy`
// runs for Copy Names, `change` with 1 for +1 and with -1 for −1.
ListEditActions AddListEditActions(QAbstractItemView& list, QWidget& owner,
                                   const std::function<void()>& copy,
                                   const std::function<void(int)>& change);

// A button below the list for +1 or −1, named after its action
// ("AddCopyButton").
QToolButton* NewEditButton(QAction& action, int minimumWidth, QWidget& parent);

// Adds a separator and the shared Undo and Redo to the list's menu. Their
// keys work in the whole of `owner`, not only the list (a search box keeps
// its own undo while it has the focus).
void AddUndoRedo(QAbstractItemView& list, QWidget& owner, DeckEditActions& edits);

}  // namespace quillet
