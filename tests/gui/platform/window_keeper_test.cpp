// The window keeper, offscreen: every named window opens inside the screen's
// free area however large it asks to be, and opens again where it was last,
// through the places file, in a later run (a new keeper over the same folder).
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "gui/platform/window_keeper.h"
#include "support/temp_dir.h"

using namespace quillet;

class WindowKeeperTest : public QObject {
  Q_OBJECT

 private slots:
  void windowsOpenOnTheScreenAndWhereTheyWereLast() {
    test::TempDir dir;
    const std::string config = dir.File("quillet/");
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect moved(free.left() + 20, free.top() + 30, 300, 200);
    {
      WindowKeeper keeper(config);
      // As the browser asked at one and a half times scale: larger than the
      // screen and partly off it.
      QWidget big(nullptr, Qt::Window);
      big.setObjectName(QStringLiteral("BigForm"));
      big.setGeometry(free.left() - 237, free.top() - 30, free.width() + 600, free.height() + 60);
      big.show();
      QVERIFY(free.contains(big.frameGeometry()));
      QCOMPARE(big.frameGeometry().size(), free.size());

      // A window never placed by its code opens centred.
      QWidget small(nullptr, Qt::Window);
      small.setObjectName(QStringLiteral("SmallForm"));
      small.resize(200, 100);
      small.show();
      QVERIFY((small.frameGeometry().center() - free.center()).manhattanLength() <= 2);
      small.setGeometry(moved);
      small.close();

      // A fixed size larger than the screen still starts on it.
      QDialog fixed;
      fixed.setObjectName(QStringLiteral("FixedForm"));
      fixed.setFixedSize(free.width() + 100, 50);
      fixed.move(free.right() - 10, free.top());
      fixed.show();
      QCOMPARE(fixed.pos(), free.topLeft());
    }
    QCOMPARE(LoadWindowPlaces(config).at("SmallForm"),
             (WindowRect{moved.x(), moved.y(), moved.width(), moved.height()}));

    // The next run: the window opens where it was closed, at its size, even
    // when its code asks for another.
    WindowKeeper keeper(config);
    QWidget again(nullptr, Qt::Window);
    again.setObjectName(QStringLiteral("SmallForm"));
    again.resize(500, 400);
    again.show();
    QCOMPARE(again.geometry(), moved);

    // A window without a component name is the toolkit's, left alone.
    QWidget unnamed(nullptr, Qt::Window);
    unnamed.setGeometry(free.left() - 50, free.top(), 100, 100);
    unnamed.show();
    QCOMPARE(unnamed.geometry().x(), free.left() - 50);
  }
};

QTEST_MAIN(WindowKeeperTest)
#include "window_keeper_test.moc"
