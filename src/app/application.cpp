#include "app/application.h"

namespace quillet {

Application::Application(std::string dataDir, Platform& platform)
    : session(std::move(dataDir)),
      master(session, platform),
      reader(session, platform),
      updater(session, platform),
      about(QString::fromLocal8Bit(session.db.ProgramDir())) {
  master.runUpdater = [this] { return updater.exec() == QDialog::Accepted; };
  master.showReader = [this] {
    // Not modal: the reader stays beside the main window. Showing an already
    // visible reader only brings it forward; its activation reloads the card.
    reader.showNormal();
    reader.raise();
    reader.activateWindow();
  };
  master.showAbout = [this] { about.exec(); };
}

}  // namespace quillet
