// The desktop's file dialogs: they open wide enough for their columns and
// at the size the player last gave one.
#include "gui/platform/qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>

using quillet::FileDialogOptions;
using quillet::QtPlatform;

namespace {

// Notes the open file dialog's size, gives it `resizeTo` when valid, and
// cancels it.
void AnswerDialog(QSize& seen, QSize resizeTo) {
  QTimer::singleShot(0, [&seen, resizeTo] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) qFatal("no file dialog is open");
    seen = dialog->size();
    if (resizeTo.isValid()) dialog->resize(resizeTo);
    dialog->reject();
  });
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void fileDialogsShowTheirColumnsAndKeepTheirSize() {
    QtPlatform platform;
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size() * 9 / 10;
    QSize seen;
    AnswerDialog(seen, QSize(640, 480));
    QVERIFY(!platform.getOpenFileName(nullptr, FileDialogOptions{}));
    QVERIFY(seen.width() >= std::min(860, screen.width()));
    QVERIFY(seen.height() >= std::min(520, screen.height()));
    AnswerDialog(seen, {});
    QVERIFY(!platform.getSaveFileName(nullptr, FileDialogOptions{}));
    QCOMPARE(seen, QSize(640, 480));
  }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
