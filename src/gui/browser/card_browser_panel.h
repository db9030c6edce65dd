// CardBrowserPanel: every card of the database in one table, with a search
// box and filters, beside the main window (not modal). The catalogue and its
// table model do the work; the window turns its controls into a
// CatalogueQuery on every change and shows "N of M cards".
//
// The catalogue is read when the window is first shown and again after the
// database was updated; the "In deck" column follows every analysis of the
// main window (followAnalysis). A double click (or Enter) hands the card to the
// card reader through the session's SelectedCardName and the showReader hook.
// "+1" (Insert, +) and "−1" (Delete, -) edit the open deck through the
// application's DeckEditActions, card by card of the selection; the main
// window's new analysis then comes back through followAnalysis, and the
// selection stays as it was. Every card the user picks in the table is
// announced by cardSelected.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <functional>

#include "core/catalogue/catalogue.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace quillet {

class CardTableModel;
class DeckEditActions;
class Platform;
class RowPickWatch;
class DeckDocument;

class CardBrowserPanel : public QWidget {
  Q_OBJECT

 public:
  CardBrowserPanel(DeckDocument& deck, Platform& platform, QWidget* parent = nullptr);
  ~CardBrowserPanel() override;

  // Set by the shell: shows the card reader on session.SelectedCardName.
  std::function<void()> showReader;

  Catalogue& catalogue() { return catalogue_; }
  CardTableModel& model() { return *model_; }

  // Lets the window edit the open deck: +1/−1 on the selected cards and
  // the shared Undo and Redo. Without it the window only browses.
  void useEditActions(DeckEditActions& actions);

  // Shows the window, reading the database first when needed.
  void showBrowser();
  // After an analysis: the "In deck" column shows the new deck.
  void followAnalysis();
  // After an update of the data files: read them again (now when the window
  // is open, else when it opens next).
  void followDatabaseUpdate();

  // The handlers, public so the tests can drive them as the controls do.
  void applyQuery();
  void openCard(int row);
  void copySelected();
  // +1 (delta 1) or −1 (delta -1) on every selected card.
  void changeSelected(int delta);

 signals:
  // The user picked the card of this name (bytes of the card data).
  void cardSelected(const QByteArray& name);
  void addToGoal(const QByteArray& name);  // "Add to Goal" on a card's row

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildControls();
  void ensureLoaded();
  CatalogueQuery currentQuery() const;
  void showEditState();

  DeckDocument& deck_;
  Platform& platform_;
  Catalogue catalogue_;
  CardTableModel* model_ = nullptr;
  bool loaded_ = false;

  QLineEdit* SearchEdit = nullptr;
  QComboBox* TypeBox = nullptr;
  QComboBox* DomainBox = nullptr;
  QComboBox* RarityBox = nullptr;
  QComboBox* KeywordBox = nullptr;
  QCheckBox* InDeckOnly = nullptr;
  QTableView* CardTable = nullptr;
  QLabel* CountLabel = nullptr;
  QAction* CopyNames = nullptr;
  QAction* AddCopy = nullptr;
  QAction* RemoveCopy = nullptr;
  DeckEditActions* edits_ = nullptr;
  RowPickWatch* picks_ = nullptr;
};

}  // namespace quillet
