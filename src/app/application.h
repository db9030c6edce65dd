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

#include "app/about_form.h"
#include "app/workspace.h"
#include "core/analysis/session.h"
#include "gui/browser/card_browser_form.h"
#include "gui/browser/deck_edit_actions.h"
#include "gui/charts/charts_form.h"
#include "gui/compare/compare_form.h"
#include "gui/deck_view/deck_panel.h"
#include "gui/main_window/master_form.h"
#include "gui/names/deck_names_actions.h"
#include "gui/odds/draw_odds_form.h"
#include "gui/odds/sample_hand_form.h"
#include "gui/reader/card_panel.h"
#include "gui/reader/reader_form.h"
#include "gui/updater/updater_form.h"

namespace quillet {

class Platform;

struct Application {
  // `dataDir` is the data folder (ChooseDataFolder), with its trailing '/'.
  Application(std::string dataDir, Platform& platform);

  // Where the recent decks and the panel arrangement are kept (config_dir.h):
  // reads both and keeps them there from now on.
  void UseConfigDir(const std::string& dir);

  // The panels' contents, made now if their panel was never shown.
  TDrawOddsForm& drawOdds();
  TSampleHandForm& sampleHand();
  TCompareForm& compare();
  TCardBrowserForm& browser();
  ChartsForm& charts();
  DeckPanel& deckPanel();
  CardPanel& cardPanel();

  Session session;
  DeckEditActions edits;
  DeckNamesActions names;
  TMasterForm master;
  TReaderForm reader;
  TUpdaterForm updater;
  TAboutForm about;
  Workspace workspace;

 private:
  template <typename Form>
  Form& Content(const char* panel);
  // A list's picks go to the Card panel, its "Add to Goal" to Draw Odds.
  template <typename List>
  void FollowCardPicks(List* list);
  // `follow` runs after every analysis, and when a failed one empties the
  // window.
  template <typename Panel>
  void FollowDeck(Panel* panel, void (Panel::*follow)());
  void AddPanels();
  QWidget* MakeDeckPanel();
  QWidget* MakeCardPanel();
  QWidget* MakeBrowser();
  QWidget* MakeDrawOdds();
  QWidget* MakeSampleHand();
  QWidget* MakeCharts();
  QWidget* MakeCompare();
  // Every list's pick goes to the Card panel, or waits for it to be made.
  void CardPicked(const QByteArray& name);
  // "Add to Goal" from any list or figure: the Draw Odds panel shows the
  // goal with one more condition, at least 1 copy of the group.
  void AddToGoal(bool card, const QByteArray& name);

  Platform& platform_;
  QByteArray pickedCard_;
};

}  // namespace quillet
