// Start-up: the application object, its title, help and font, the four
// windows in their order, the deck named on the command line, then the event
// loop until the main window closes.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/help_window.h"
#include "core/card_data/data_folder.h"
#include "core/card_data/data_journal.h"
#include "core/settings/config_dir.h"
#include "gui/platform/qt_platform.h"
#include "gui/platform/window_font.h"
#include "gui/platform/window_keeper.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(quillet::kApplicationTitle);
  // The help window is made when help is first asked for: its text browser
  // is the costliest widget of all to create, and most runs never need it.
  std::unique_ptr<quillet::HelpWindow> help;
  quillet::InitShellResources();
  QApplication::setFont(quillet::WindowFont());
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/quillet.png")));

  // Made before any window, so it sees each one's first show.
  quillet::WindowKeeper keeper(quillet::UserConfigDir());
  quillet::QtPlatform platform;
  platform.setHelpHandler([&help](QWidget*, const QString& topic) {
    if (!help) help = std::make_unique<quillet::HelpWindow>(quillet::kHelpFile);
    help->showTopic(topic);
  });
  // The data folder: QUILLET_DATA_DIR, the program's folder when it holds the
  // database or may be written, else the user's data home.
  const std::string dataFolder =
      quillet::ChooseDataFolder({}, quillet::DataFolderEnv::FromProcess());
  std::optional<quillet::Application> made;
  try {
    made.emplace(dataFolder, platform);
  } catch (const quillet::DataHalfUpdated& e) {
    // A stopped update this user cannot finish: nothing of the pair is read.
    platform.showMessage(nullptr, QString::fromLocal8Bit(e.what()));
    return 1;
  }
  quillet::Application& windows = *made;
  windows.useConfigDir(quillet::UserConfigDir());
  windows.master.show();
  // The desktop entry passes the file it was asked to open (Exec=quillet %f).
  windows.master.openFromCommandLine(QApplication::arguments());
  // For start-up measurements: quit as soon as the main window is shown.
  if (qEnvironmentVariableIsSet("QUILLET_QUIT_AFTER_SHOW")) {
    QTimer::singleShot(0, &app, &QApplication::quit);
  }
  return QApplication::exec();
}
