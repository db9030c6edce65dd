// The yardstick for the desktop program's start-up: a bare main window,
// built like quillet, that quits as soon as it is shown. Built twice, with
// and without Qt Charts linked, to see what linking Qt Charts alone costs.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#ifdef BARE_WITH_CHARTS
#include <QChart>
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
#ifdef BARE_WITH_CHARTS
  // Referenced so the linker keeps the library; never run.
  if (argc > 99) QChart().setTitle(QStringLiteral("unused"));
#endif
  window.resize(708, 530);
  window.show();
  QTimer::singleShot(0, &app, &QApplication::quit);
  return QApplication::exec();
}
