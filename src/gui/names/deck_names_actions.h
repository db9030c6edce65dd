// DeckNamesActions: the menu items that work on the names of a deck as a
// list. File > Import Deck... and Edit > Paste as New Deck read a list in
// any common form (the core's import), ask where to save the deck, write it
// and hand it to openDeck, then say which lines were guessed or not found.
// Edit > Fix Card Names... lists the open deck's unfound lines in a dialog
// and applies the chosen names through the shared DeckEditActions, so the
// fix is one undo step and the analysis follows. Edit > Copy Deck List puts
// the deck on the clipboard as a list to share.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QAction;
class QWidget;

namespace quillet {

class DeckEditActions;
class Platform;
struct ImportedDeck;
class DeckDocument;

class DeckNamesActions : public QObject {
  Q_OBJECT

 public:
  DeckNamesActions(DeckDocument& document, Platform& platform, DeckEditActions& edits,
                   QObject* parent = nullptr);

  QAction* importAction() const { return import_; }
  QAction* pasteAction() const { return paste_; }
  QAction* fixAction() const { return fix_; }
  QAction* copyListAction() const { return copyList_; }

  // Set by the shell: opens a deck file as any deck is opened.
  std::function<void(const QString&)> openDeck;

  // The handlers; `window` parents the dialogs and messages.
  void importDeck(QWidget* window);
  void pasteAsNewDeck(QWidget* window);
  void fixCardNames(QWidget* window);
  void copyDeckList(QWidget* window);

 signals:
  // After Fix Card Names wrote a line's new name: `from` as the line had
  // it, `to` as it has it now (bytes of the card data).
  void cardRenamed(const QByteArray& from, const QByteArray& to);

 private:
  // Imports `raw` (any bytes), asks where to save it proposing
  // `proposedName` in `directory`, writes it and opens it.
  void importList(QWidget* window, std::string raw, const QString& directory,
                  const QString& proposedName);
  void run(QWidget* window, const std::function<void()>& action);
  void showState();

  DeckDocument& document_;
  Platform& platform_;
  DeckEditActions& edits_;
  QAction* import_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* fix_ = nullptr;
  QAction* copyList_ = nullptr;
};

// What an import guessed, could not match or left out (a sideboard's
// lines), one sentence per such line; empty when every line went into the
// deck as a card's exact name.
QString ImportReport(const ImportedDeck& imported);

}  // namespace quillet
