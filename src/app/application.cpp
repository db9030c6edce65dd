#include "app/application.h"

namespace quillet {

Application::Application(std::string dataDir, Platform& platform)
    : session(std::move(dataDir)),
      edits(session, platform),
      master(session, platform),
      reader(session, platform),
      updater(session, platform),
      about(QString::fromLocal8Bit(session.db.ProgramDir())),
      drawOdds(master.model()),
      sampleHand(master.model()),
      compare(master.model(), platform, &master),
      browser(session, platform) {
  // Every panel analyses the open deck again after an edit: one index of the
  // card file, kept for the run, serves them all.
  session.db.KeepIndex(true);
  master.runUpdater = [this] {
    const bool updated = updater.exec() == QDialog::Accepted;
    // The browser holds every card of the database; an update replaces them.
    if (updated) browser.DatabaseUpdated();
    return updated;
  };
  master.showReader = [this] {
    // Not modal: the reader stays beside the main window. Showing an already
    // visible reader only brings it forward; its activation reloads the card.
    reader.showNormal();
    reader.raise();
    reader.activateWindow();
  };
  master.showAbout = [this] { about.exec(); };

  // The odds and the sample hand follow the main window, shown or not.
  QObject::connect(&master, &TMasterForm::deckAnalysed, &drawOdds, &TDrawOddsForm::FollowAnalysis);
  // A failure empties every following window before its message shows.
  QObject::connect(&master, &TMasterForm::deckCleared, &drawOdds, &TDrawOddsForm::FollowAnalysis);
  QObject::connect(&master, &TMasterForm::deckCleared, &sampleHand,
                   &TSampleHandForm::FollowAnalysis);
  QObject::connect(&master, &TMasterForm::deckCleared, &compare, &TCompareForm::Refresh);
  QObject::connect(&master, &TMasterForm::deckCleared, &browser, &TCardBrowserForm::DeckAnalysed);
  QObject::connect(&master, &TMasterForm::listShown, &drawOdds, &TDrawOddsForm::FollowList);
  QObject::connect(&master, &TMasterForm::cardLineSelected, &drawOdds,
                   &TDrawOddsForm::FollowCardLine);
  QObject::connect(&master, &TMasterForm::deckAnalysed, &sampleHand,
                   &TSampleHandForm::FollowAnalysis);
  const auto raise = [](QWidget& window) {
    window.showNormal();
    window.raise();
    window.activateWindow();
  };
  master.showDrawOdds = [this, raise] { raise(drawOdds); };
  master.showSampleHand = [this, raise] { raise(sampleHand); };
  sampleHand.showReader = [this] { master.showReader(); };
  master.compareWith = [this] { compare.CompareWith(); };
  // The comparison follows the open deck and the switches it is shown under.
  QObject::connect(&master, &TMasterForm::deckAnalysed, &compare, &TCompareForm::Refresh);
  QObject::connect(&master, &TMasterForm::switchesChanged, &compare, &TCompareForm::Refresh);
  master.showBrowser = [this] { browser.ShowBrowser(); };
  browser.showReader = master.showReader;

  // Editing the open deck: the history follows the main window's open file
  // (before the browser hears of the analysis, so its buttons see the new
  // state), and every change to the file is analysed again at once.
  QObject::connect(&master, &TMasterForm::deckAnalysed, &edits, [this] {
    edits.FollowDeck(master.OpenDeckPath(), !master.model().DName().empty());
  });
  QObject::connect(&master, &TMasterForm::deckAnalysed, &browser, &TCardBrowserForm::DeckAnalysed);
  QObject::connect(&edits, &DeckEditActions::deckEdited, &master, &TMasterForm::DeckFileChanged);
  master.UseEditActions(edits.undoAction(), edits.redoAction());
  browser.UseEditActions(edits);
  master.showCharts = [this, &platform] {
    if (!charts) charts = std::make_unique<ChartsForm>(master, platform);
    charts->showNormal();
    charts->raise();
    charts->activateWindow();
  };
}

}  // namespace quillet
