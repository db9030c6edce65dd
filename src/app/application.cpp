#include "app/application.h"

namespace quillet {

Application::Application(std::string programDir, Platform& platform)
    : session(std::move(programDir)),
      master(session, platform),
      reader(session, platform),
      updater(session, platform),
      about() {
  master.runUpdater = [this] { return updater.exec() == QDialog::Accepted; };
  master.showReader = [this] {
    // Not modal: the reader stays beside the main window. Showing an already
    // visible reader only brings it forward; its activation reloads the card.
    reader.showNormal();
    reader.raise();
    reader.activateWindow();
  };
  master.showAbout = [this] { about.exec(); };
  master.showCharts = [this, &platform] {
    if (!charts) charts = std::make_unique<ChartsForm>(master, platform);
    charts->showNormal();
    charts->raise();
    charts->activateWindow();
  };
}

}  // namespace quillet
