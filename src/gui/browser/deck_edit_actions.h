// DeckEditActions: the windows' side of editing the open deck file. The
// edit engine is the open deck's DeckEditor (deck_document.h); this object runs each user action
// on it (+1 or -1 on some cards, Undo, Redo) with one catch, shows a refusal
// through the Platform, and asks for a new analysis (deckEdited) whenever
// the file's bytes moved: after an edit, and after the engine found the file
// changed by someone else. The application owns one and hands it to the main
// window (Edit menu) and to the card browser (+1/-1 and the same Undo and
// Redo actions, so their shortcuts work in both windows).
//
// The history belongs to the open file: it follows the open deck, and is
// kept while the same file is analysed again (a reload, an edit's own reload, reopening
// it) and starts afresh when another file is opened.
#pragma once

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QWidget;

namespace quillet {

class Platform;
struct NameFix;
class DeckDocument;
struct DeckEditStep;

class DeckEditActions : public QObject {
  Q_OBJECT

 public:
  DeckEditActions(DeckDocument& document, Platform& platform, QObject* parent = nullptr);

  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }
  bool deckOpen() const;

  // Follows the open deck after each analysis (it does so by itself). Another
  // file than the one under edit starts a new history. A deck the analysis
  // refused is not edited (Undo and Redo still step back to the bytes of
  // this run's edits).
  void followDeck();

  // `delta` copies (+1 or -1) of every card in `names`, one undo step per
  // card. Either every card can be edited or nothing is: the edits are tried
  // on the bytes first, so a refusal leaves the file as it was. `window`
  // parents the message box.
  void changeCopies(const std::vector<std::string>& names, std::int32_t delta, QWidget* window);
  // Gives deck lines new names in one write: one step of the history.
  // True when the new names were written.
  bool fixNames(const std::vector<NameFix>& fixes, QWidget* window);
  void undo(QWidget* window);
  void redo(QWidget* window);

 signals:
  // The file's bytes changed (an edit, an undo, a redo, or the engine found
  // someone else's change): the analysis must be made again.
  void deckEdited();
  // Whether a deck is open, or what can be undone, changed.
  void stateChanged();

 private:
  void run(QWidget* window, const std::function<void()>& action);
  void showState();

  DeckDocument& document_;
  Platform& platform_;
  bool analysed_ = true;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
};

// The caption of an edit in the Edit menu: "+1 NAME" or "−1 NAME", with any
// '&' of the name doubled so it is not taken for an access key.
QString EditStepCaption(std::int32_t delta, const std::string& name);
// The caption of any step of the history: a count edit's, or "Fix Card
// Names" for renamed lines.
QString EditStepCaption(const DeckEditStep& step);

}  // namespace quillet
