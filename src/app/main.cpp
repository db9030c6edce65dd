#include <QApplication>

#include "app/platform.h"

// The windows are wired up here once they exist.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(quillet::kApplicationTitle);
  return 0;
}
