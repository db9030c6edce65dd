// The Qt file watcher on a real folder: an edit in place, and saves that
// write a new file and rename it over the watched one, again and again (the
// system forgets the file after the first such save unless re-armed), and a
// file deleted and written anew.
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "gui/platform/qt_file_watcher.h"
#include "support/temp_dir.h"

class QtFileWatcherTest : public QObject {
  Q_OBJECT

 private slots:
  void reportsEverySaveWhateverWayItIsWritten() {
    quillet::test::TempDir dir;
    const std::string deck = dir.Write("deck.txt", "1\tGrunt\r\n");
    quillet::QtFileWatcher watcher;
    int notices = 0;
    watcher.changed = [&notices] { ++notices; };
    watcher.watch(QString::fromStdString(deck));
    QCOMPARE(watcher.watched(), QString::fromStdString(deck));

    dir.Write("deck.txt", "2\tGrunt\r\n");  // in place
    QTRY_COMPARE(notices, 1);
    for (int save = 2; save <= 4; ++save) {
      const std::string temp = dir.Write(".deck.txt.swp", std::to_string(save) + "\tGrunt\r\n");
      QCOMPARE(std::rename(temp.c_str(), deck.c_str()), 0);
      QTRY_COMPARE(notices, save);
    }
    std::remove(deck.c_str());
    QTest::qWait(300);
    const int afterRemoval = notices;
    dir.Write("deck.txt", "5\tGrunt\r\n");
    QTRY_VERIFY(notices > afterRemoval);

    // Another file in the folder is no news, and after watch("") nothing is.
    const int settled = notices;
    dir.Write("other.txt", "x");
    QTest::qWait(300);
    QCOMPARE(notices, settled);
    watcher.watch(QString());
    dir.Write("deck.txt", "6\tGrunt\r\n");
    QTest::qWait(300);
    QCOMPARE(notices, settled);
  }
};

QTEST_MAIN(QtFileWatcherTest)
#include "qt_file_watcher_test.moc"
