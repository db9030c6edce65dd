// The open-deck sequence of the main window over its view: the dialog, the
// busy cursor, the analysis against the session's card data, the messages
// and the deck folder remembered in ZNUTILS.INI. The view and the analysis
// it shows are values (main_view.h, deck_analysis.h); this keeps the
// session's deck and statistics in step with them for the windows that
// still read the session.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis/main_view.h"
#include "core/analysis/session.h"

namespace quillet {

// What the open-deck sequence asks of its caller, in the order the sequence
// needs it. Texts are bytes in the card data's code page.
class OpenDeckHost {
 public:
  virtual ~OpenDeckHost() = default;
  // The open dialog: initial directory (empty: the default) and the file
  // name "*.txt". The chosen full path, or nullopt when cancelled.
  virtual std::optional<std::string> ChooseDeckFile(const std::string& initialDirectory) = 0;
  virtual void BeginBusy() = 0;  // always paired with EndBusy, on every path
  virtual void EndBusy() = 0;
  // A modal message box with one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
};

class MasterModel : public MainView {
 public:
  explicit MasterModel(Session& session) : session_(session) {}

  // The window's start: no deck loaded, the cost kind "All cards".
  // Returns whether CardStat.Dat exists.
  bool Create();

  // "Open...": the whole open-deck sequence with its failure path. With
  // `useSettings` the deck directory is read from and written to ZNUTILS.INI
  // in the program folder.
  void OpenDeck(OpenDeckHost& host, bool useSettings = true);
  // Analyses the open deck again (the host's ChooseDeckFile names it) by the
  // same sequence and messages as OpenDeck, keeping what the user had
  // chosen (MainView::Reload).
  ReloadResult Reload(OpenDeckHost& host, bool useSettings = true);

  using MainView::CardListClick;
  using MainView::DrillDown;
  using MainView::ShowList;
  bool DrillDown(std::string_view component) { return MainView::DrillDown(component, session_.db); }
  bool ShowList(std::string_view key, std::string_view fileName,
                const std::function<bool(const TCardRecord&)>& holds) {
    return MainView::ShowList(key, fileName, holds, session_.db);
  }
  void CardListClick(int index);                       // sets SelectCard
  void CardListDblClick(std::optional<int> selected);  // sets SelectedCardName

  Session& session() { return session_; }
  const Session& session() const { return session_; }

 private:
  // The chosen deck, analysed from the session's lookup position; the
  // position and working card it leaves go back into the session.
  AnalysisPtr Analyze(const std::string& path);
  void Sync();

  Session& session_;
};

}  // namespace quillet
