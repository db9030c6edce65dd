// DeckPanel: the open deck as a player reads it, a tree of the core's deck
// tree (grouped by card type, each group's heading with its copies, one row
// per card with its copies, name, total deploy cost and domain). A card over
// the copy limit is marked, with the problem rule's sentence as its tooltip.
//
// The panel follows the main window's model: followAnalysis builds the tree
// again after every analysis (an edit comes back as one), keeping the sort,
// the selection and the groups the user closed. "+1" (Insert, +) and "−1"
// (Delete, -) edit the open deck through the application's DeckEditActions,
// with the same Undo and Redo as every other window; Enter or a double click
// opens the card reader on the card, Ctrl+C copies the selected names, and
// every card the user picks is announced by cardSelected.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/deck_view/deck_tree.h"

class QAction;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillet {

class DeckEditActions;
class GoalAction;
class DeckDocument;
class Platform;
class RowPickWatch;

class DeckPanel : public QWidget {
  Q_OBJECT

 public:
  // The tree's columns.
  enum Column { kCopiesColumn, kNameColumn, kCostColumn, kDomainColumn, kColumnCount };

  DeckPanel(DeckDocument& deck, Platform& platform, QWidget* parent = nullptr);
  ~DeckPanel() override;

  // Set by the shell: shows the card reader on the session's
  // SelectedCardName.
  std::function<void()> showReader;

  // Lets the panel edit the open deck: +1/−1 on the selected cards and the
  // shared Undo and Redo. Without it the panel only shows the deck.
  void useEditActions(DeckEditActions& actions);

  // After every analysis, successful or not (then the tree is empty).
  void followAnalysis();

  // The handlers, public so the tests can drive them as the controls do.
  void sortBy(int column, Qt::SortOrder order);
  void openCard(const QTreeWidgetItem* item);
  void copySelected();
  // +1 (delta 1) or −1 (delta -1) on every selected card.
  void changeSelected(int delta);
  // The selected cards' names, top to bottom.
  std::vector<std::string> selectedNames() const;

 signals:
  // The user picked the card of this name (bytes of the card data).
  void cardSelected(const QByteArray& name);
  // "Add to Goal" on a card: the first selected one.
  void addToGoal(const QByteArray& name);

 private:
  void buildControls();
  void showTree();
  void showEditState();

  DeckDocument& deck_;
  Platform& platform_;
  std::vector<DeckTreeGroup> tree_;
  // Each name not found, with "did you mean: ..." for its row.
  std::map<std::string, QString, std::less<>> suggestions_;
  DeckTreeSort sortKey_ = DeckTreeSort::Name;
  bool descending_ = false;

  QTreeWidget* DeckTree = nullptr;
  QLabel* DeckStatus = nullptr;
  QAction* CopyNames = nullptr;
  QAction* AddCopy = nullptr;
  QAction* RemoveCopy = nullptr;
  GoalAction* AddToGoal = nullptr;
  RowPickWatch* picks_ = nullptr;
  DeckEditActions* edits_ = nullptr;
};

}  // namespace quillet
