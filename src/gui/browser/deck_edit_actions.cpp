#include "gui/browser/deck_edit_actions.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <optional>

#include "core/deck_edit/deck_edit.h"
#include "gui/main_window/deck_document.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/platform.h"

namespace quillet {

QString EditStepCaption(std::int32_t delta, const std::string& name) {
  QString card = FromCardBytes(name);
  card.replace(QLatin1Char('&'), QStringLiteral("&&"));
  // A true minus sign, as on the browser's button.
  const QString sign = delta > 0 ? QStringLiteral("+") : QString(QChar(0x2212));
  return QStringLiteral("%1%2 %3").arg(sign).arg(std::abs(delta)).arg(card);
}

QString EditStepCaption(const DeckEditStep& step) {
  if (step.namesFixed > 0) return QStringLiteral("Fix Card Names");
  return EditStepCaption(step.delta, step.name);
}

DeckEditActions::DeckEditActions(DeckDocument& document, Platform& platform, QObject* parent)
    : QObject(parent), document_(document), platform_(platform) {
  setObjectName(QStringLiteral("DeckEditActions"));
  undo_ = new QAction(this);
  undo_->setObjectName(QStringLiteral("Undo1"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = new QAction(this);
  redo_->setObjectName(QStringLiteral("Redo1"));
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  // Triggered from a menu or a shortcut, the message belongs over the window
  // the user is in.
  connect(undo_, &QAction::triggered, this, [this] { undo(QApplication::activeWindow()); });
  connect(redo_, &QAction::triggered, this, [this] { redo(QApplication::activeWindow()); });
  // Before any panel hears of the analysis (they are made later), so their
  // buttons see the new state.
  connect(&document_, &DeckDocument::changed, this, &DeckEditActions::followDeck);
  showState();
}

bool DeckEditActions::deckOpen() const {
  return document_.editor().IsOpen();
}

void DeckEditActions::followDeck() {
  const std::string& path = document_.path();
  analysed_ = document_.isOpen();
  DeckEditor& editor = document_.editor();
  if (path == editor.Path()) {
    // The same deck analysed again, after a change on disk or an edit of
    // ours: edits go on from what the window now shows.
    editor.Resync();
    showState();
    return;
  }
  if (path.empty()) {
    editor = DeckEditor();
  } else {
    try {
      editor.Open(path);
    } catch (const std::exception&) {
      // Gone again right after its analysis: there is nothing to edit, and
      // the main window's next reload says what became of the file.
      editor = DeckEditor();
    }
  }
  showState();
}

void DeckEditActions::changeCopies(const std::vector<std::string>& names, std::int32_t delta,
                                   QWidget* window) {
  run(window, [this, &names, delta] {
    DeckEditor& editor = document_.editor();
    if (!editor.IsOpen() || names.empty() || delta == 0) return;
    std::vector<std::string> cards;
    for (const std::string& name : names) {
      if (std::find(cards.begin(), cards.end(), name) == cards.end()) cards.push_back(name);
    }
    // Tried on the bytes first, so a card refused halfway does not leave the
    // cards before it changed. A file changed elsewhere is left to the
    // engine, which refuses for that reason before anything else.
    if (!editor.ChangedOnDisk()) {
      if (!analysed_) {
        // The engine's own check names the faulty count when there is one.
        FirstLineCount(editor.Bytes(), cards.front());
        throw DeckEditError("The deck file is not valid, so it was not changed.");
      }
      std::string bytes = editor.Bytes();
      for (const std::string& card : cards) bytes = EditDeckBytes(bytes, card, delta);
    }
    for (const std::string& card : cards) {
      if (delta > 0) {
        editor.Add(card, delta);
      } else {
        editor.Remove(card, -delta);
      }
    }
  });
}

bool DeckEditActions::fixNames(const std::vector<NameFix>& fixes, QWidget* window) {
  bool written = false;
  run(window, [this, &fixes, &written] {
    if (!document_.editor().IsOpen() || fixes.empty()) return;
    document_.editor().FixNames(fixes);
    written = true;
  });
  return written;
}

void DeckEditActions::undo(QWidget* window) {
  run(window, [this] { document_.editor().Undo(); });
}

void DeckEditActions::redo(QWidget* window) {
  run(window, [this] { document_.editor().Redo(); });
}

void DeckEditActions::run(QWidget* window, const std::function<void()>& action) {
  const std::string before = document_.editor().Bytes();
  std::optional<QString> refusal;
  try {
    BusyCursor busy(platform_);
    action();
  } catch (const std::exception& error) {
    refusal = ShownMessage(error.what());
  }
  showState();
  // The new analysis first, so the message is read over what the file holds
  // now (after a change elsewhere, the reloaded deck).
  if (document_.editor().Bytes() != before) emit deckEdited();
  if (refusal) platform_.showMessage(window, *refusal);
}

void DeckEditActions::showState() {
  const DeckEditor& editor = document_.editor();
  const DeckEditStep* undo = editor.NextUndo();
  const DeckEditStep* redo = editor.NextRedo();
  undo_->setText(undo != nullptr ? QStringLiteral("&Undo %1").arg(EditStepCaption(*undo))
                                 : QStringLiteral("&Undo"));
  redo_->setText(redo != nullptr ? QStringLiteral("&Redo %1").arg(EditStepCaption(*redo))
                                 : QStringLiteral("&Redo"));
  undo_->setEnabled(undo != nullptr);
  redo_->setEnabled(redo != nullptr);
  emit stateChanged();
}

}  // namespace quillet
