#include "app/application.h"

namespace quillet {

Application::Application(std::string programDir, Platform& platform)
    : session(std::move(programDir)),
      master(session, platform),
      reader(session, platform),
      updater(session, platform),
      about(),
      browser(session, platform) {
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
  master.showBrowser = [this] { browser.ShowBrowser(); };
  browser.showReader = master.showReader;
  QObject::connect(&master, &TMasterForm::deckAnalysed, &browser, &TCardBrowserForm::DeckAnalysed);
}

}  // namespace quillet
