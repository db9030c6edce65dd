// The running program: the session, the main window with its workspace of
// panels, and the windows that stay their own (the card reader, the updater,
// the about box), created in the shell's order (the main window first, so it
// is the main window and can warn about a missing database) and wired
// together. Each panel's content is made when the panel is first shown, or
// first asked for here, and then catches up with the open deck. main() adds
// the application object, the help window and the event loop; the tests
// build an Application directly.
#pragma once

#include <memory>
#include <string>

#include "app/about_dialog.h"
#include "app/workspace.h"
#include "core/analysis/session.h"
#include "gui/browser/card_browser_panel.h"
#include "gui/browser/deck_edit_actions.h"
#include "gui/charts/charts_panel.h"
#include "gui/compare/compare_panel.h"
#include "gui/deck_view/deck_panel.h"
#include "gui/main_window/deck_document.h"
#include "gui/main_window/main_window.h"
#include "gui/names/deck_names_actions.h"
#include "gui/odds/draw_odds_panel.h"
#include "gui/odds/sample_hand_panel.h"
#include "gui/reader/card_panel.h"
#include "gui/reader/reader_window.h"
#include "gui/updater/updater_dialog.h"

namespace quillet {

class Platform;

struct Application {
  // `dataDir` is the data folder (ChooseDataFolder), with its trailing '/'.
  Application(std::string dataDir, Platform& platform);

  // Where the recent decks and the panel arrangement are kept (config_dir.h):
  // reads both and keeps them there from now on.
  void useConfigDir(const std::string& dir);

  // The panels' contents, made now if their panel was never shown.
  DrawOddsPanel& drawOdds();
  SampleHandPanel& sampleHand();
  ComparePanel& compare();
  CardBrowserPanel& browser();
  ChartsPanel& charts();
  DeckPanel& deckPanel();
  CardPanel& cardPanel();

  Session session;
  DeckDocument document;  // the open deck, which every window follows
  DeckEditActions edits;
  DeckNamesActions names;
  MainWindow master;
  ReaderWindow reader;
  UpdaterDialog updater;
  AboutDialog about;
  Workspace workspace;

 private:
  template <typename Form>
  Form& content(const char* panel);
  // A list's picks go to the Card panel, its "Add to Goal" to Draw Odds.
  template <typename List>
  void followCardPicks(List* list);
  // `follow` runs after every analysis, and when a failed one empties the
  // window.
  template <typename Panel>
  void followDeck(Panel* panel, void (Panel::*follow)());
  void addPanels();
  QWidget* makeDeckPanel();
  QWidget* makeCardPanel();
  QWidget* makeBrowser();
  QWidget* makeDrawOdds();
  QWidget* makeSampleHand();
  QWidget* makeCharts();
  QWidget* makeCompare();
  // Every list's pick goes to the Card panel, or waits for it to be made.
  void showPickedCard(const QByteArray& name);
  // "Add to Goal" from any list or figure: the Draw Odds panel shows the
  // goal with one more condition, at least 1 copy of the group.
  void addGoalCondition(bool card, const QByteArray& name);

  Platform& platform_;
  QByteArray pickedCard_;
};

}  // namespace quillet
