#include "app/application.h"

namespace quillet {

Application::Application(std::string programDir, Platform& platform)
    : session(std::move(programDir)),
      master(session, platform),
      reader(session, platform),
      updater(session, platform),
      about(),
      compare(master.model(), platform, &master) {
  master.runUpdater = [this] { return updater.exec() == QDialog::Accepted; };
  master.showReader = [this] {
    // Not modal: the reader stays beside the main window. Showing an already
    // visible reader only brings it forward; its activation reloads the card.
    reader.showNormal();
    reader.raise();
    reader.activateWindow();
  };
  master.showAbout = [this] { about.exec(); };
  master.compareWith = [this] { compare.CompareWith(); };
  // The comparison follows the open deck and the switches it is shown under.
  QObject::connect(&master, &TMasterForm::deckAnalysed, &compare, &TCompareForm::Refresh);
  QObject::connect(&master, &TMasterForm::switchesChanged, &compare, &TCompareForm::Refresh);
}

}  // namespace quillet
