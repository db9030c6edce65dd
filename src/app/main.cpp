// Start-up: the application object, its title, help and font, the four
// windows in their order, then the event loop until the main window closes.
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "app/application.h"
#include "app/help_window.h"
#include "card_data/file_util.h"
#include "desktop/qt_platform.h"
#include "desktop/window_font.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(quillet::kApplicationTitle);
  quillet::HelpWindow help(quillet::kHelpFile);
  quillet::InitShellResources();
  QApplication::setFont(quillet::WindowFont());
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/quillet.png")));

  quillet::QtPlatform platform;
  platform.SetHelpHandler([&help](QWidget*, const QString& topic) { help.ShowTopic(topic); });
  quillet::Application windows(quillet::ProgramDir(), platform);
  windows.master.show();
  // For start-up measurements: quit as soon as the main window is shown.
  if (qEnvironmentVariableIsSet("QUILLET_QUIT_AFTER_SHOW")) {
    QTimer::singleShot(0, &app, &QApplication::quit);
  }
  return QApplication::exec();
}
