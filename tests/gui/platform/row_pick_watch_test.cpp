// What counts as a pick of a list's row: the keyboard and the mouse moving
// the current row, and a click on the current row; not the program's own
// moves, nor the first row a view makes current as it takes the focus.
#include "gui/platform/row_pick_watch.h"

#include <QTest>
#include <QTreeWidget>

using quillet::RowPickWatch;

class RowPickWatchTest : public QObject {
  Q_OBJECT

 private slots:
  void onlyThePlayersMovesArePicks() {
    QTreeWidget list;
    list.setColumnCount(1);
    for (const char* name : {"Koan Ice", "Silent Abbot", "Sutra Worm"}) {
      list.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromLatin1(name)}));
    }
    QStringList picked;
    RowPickWatch watch(list,
                       [&picked](const QModelIndex& index) { picked << index.data().toString(); });
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    list.setFocus(Qt::TabFocusReason);  // the view makes its first row current
    QTRY_VERIFY(list.hasFocus());
    QVERIFY(list.currentIndex().isValid());
    QCOMPARE(picked, QStringList{});
    QVERIFY(list.selectedItems().isEmpty());

    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(picked, QStringList{"Silent Abbot"});
    {
      const RowPickWatch::Quiet quiet(watch);
      list.setCurrentItem(list.topLevelItem(2));
    }
    QCOMPARE(picked.size(), 1);
    // A click on the row already current picks it again.
    const QPoint row = list.visualItemRect(list.topLevelItem(2)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(picked, (QStringList{"Silent Abbot", "Sutra Worm"}));
  }
};

QTEST_MAIN(RowPickWatchTest)
#include "row_pick_watch_test.moc"
