// The open deck of the running program, held in one place: the main
// window's view of its analysis (the analysis itself is a value), the deck
// file being followed, and the editor of that file with its undo history.
// The main window and every panel follow it through one signal, changed().
//
// It also runs the open-deck sequence: the Open dialog on the deck folder
// remembered in ZNUTILS.INI, the busy cursor, the analysis chained on the
// card database's lookup position, and the messages in their order.
#pragma once

#include <QObject>
#include <optional>
#include <string>

#include "core/analysis/main_view.h"
#include "core/analysis/session.h"
#include "core/deck_edit/deck_editor.h"

class QWidget;

namespace quillet {

class Platform;

// The Open dialog for a deck file ("*.txt") in `directory` (bytes; empty:
// the dialog's default): the chosen path as bytes, or nullopt when none.
std::optional<std::string> ChooseDeckFile(Platform& platform, QWidget* window,
                                          const std::string& directory);

class DeckDocument : public QObject {
  Q_OBJECT

 public:
  DeckDocument(Session& session, Platform& platform, QObject* parent = nullptr);

  Session& session() { return session_; }
  CardDatabase& db() { return session_.db; }
  MainView& view() { return view_; }
  const MainView& view() const { return view_; }
  const DeckAnalysis& analysis() const { return view_.Analysis(); }
  // Whether the last analysis succeeded (and a deck is on display).
  bool isOpen() const { return !view_.DName().empty(); }
  // The deck followed, watched, edited and reloaded: the last one opened
  // without failure, kept while a reload finds it broken. Bytes; empty when
  // none.
  const std::string& path() const { return path_; }
  // The editor of path(), closed while no deck is followed.
  DeckEditor& editor() { return editor_; }

  // Opens the deck at `path`, or (nullopt) the one chosen in the Open dialog
  // over `window`, and tells the player what the analysis found. Returns
  // whether a file was chosen; a cancelled dialog keeps everything on
  // display, but no deck counts as loaded any more.
  bool open(QWidget* window, std::optional<std::string> path = std::nullopt);
  // Analyses path() again, keeping what the player chose (MainView::Reload).
  // With `quiet`, a deck that stays broken is not reported again; a mended
  // one still says what it says (names not found).
  MainView::ReloadResult reload(QWidget* window, bool quiet);

 signals:
  // After every analysis, successful or not. It comes before the analysis's
  // messages, so that the player reads them over what they speak of (and,
  // for a failure, over no old figures).
  void changed();

 private:
  // Analyses `path` and shows it; the messages to say, in order.
  std::vector<std::string> analyze(const std::string& path);
  void say(QWidget* window, const std::vector<std::string>& messages);
  void rememberFolder();

  Session& session_;
  Platform& platform_;
  MainView view_;
  std::string path_;
  DeckEditor editor_;
};

}  // namespace quillet
