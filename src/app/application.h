// The running program: the session and the four windows, created in the
// shell's order (the main window first, so it is the main window and can
// warn about a missing database; then the reader, the updater and the about
// box, hidden) and wired together. main() adds the application object, the
// help window and the event loop; the tests build an Application directly.
#pragma once

#include <memory>
#include <string>

#include "app/about_form.h"
#include "core/analysis/session.h"
#include "gui/browser/card_browser_form.h"
#include "gui/browser/deck_edit_actions.h"
#include "gui/charts/charts_form.h"
#include "gui/compare/compare_form.h"
#include "gui/main_window/master_form.h"
#include "gui/odds/draw_odds_form.h"
#include "gui/odds/sample_hand_form.h"
#include "gui/reader/reader_form.h"
#include "gui/updater/updater_form.h"

namespace quillet {

class Platform;

struct Application {
  // `dataDir` is the data folder (ChooseDataFolder), with its trailing '/'.
  Application(std::string dataDir, Platform& platform);

  Session session;
  DeckEditActions edits;
  TMasterForm master;
  TReaderForm reader;
  TUpdaterForm updater;
  TAboutForm about;
  TDrawOddsForm drawOdds;
  TSampleHandForm sampleHand;
  TCompareForm compare;
  TCardBrowserForm browser;
  // Made when first shown: Qt Charts' scene costs nothing until then.
  std::unique_ptr<ChartsForm> charts;
};

}  // namespace quillet
