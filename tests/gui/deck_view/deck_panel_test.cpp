// The Deck panel inside the running program: it follows the main window's
// analyses, edits the open deck with +1/−1 through the one undo history the
// main window shares, keeps the user's selection through every edit, opens
// the reader and copies names from the keyboard, marks cards over the copy
// limit with the problem rule's sentence and sorts within each group.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "gui/platform/card_text_codec.h"
#include "support/accessibility_walk.h"
#include "support/panel_workspace.h"

using namespace quillet;

namespace {

// A row's cells joined by " | ".
QString Line(const QTreeWidgetItem* item) {
  QStringList cells;
  for (int c = 0; c < DeckPanel::kColumnCount; ++c) cells << item->text(c);
  return cells.join(QStringLiteral(" | "));
}

QTreeWidgetItem* Row(QTreeWidget* tree, const QString& name) {
  const auto found =
      tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive, DeckPanel::kNameColumn);
  if (found.size() != 1) qFatal("no single row %s", qPrintable(name));
  return found.front();
}

}  // namespace

class DeckPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void followsAnalysesAndEditsThroughTheSharedHistory() {
    test::PanelWorkspace w;
    DeckPanel& panel = *w.deck;
    auto* tree = panel.findChild<QTreeWidget*>(QStringLiteral("DeckTree"));
    auto* status = panel.findChild<QLabel*>(QStringLiteral("DeckStatus"));
    QAction* add = panel.findChild<QAction*>(QStringLiteral("AddCopy"));
    QCOMPARE(tree->topLevelItemCount(), 0);
    QCOMPARE(status->text(), QStringLiteral("No deck is open."));
    panel.show();
    panel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel));

    const std::string path = w.Open(w.Sample("monastery-bion.txt"));
    const TDeckStats& stats = w.app->document.analysis().stats;
    const auto acolyte = [tree] { return Line(Row(tree, QStringLiteral("Bion Acolyte"))); };
    // The headings' copies are the main window's counts.
    QStringList headings;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) headings << Line(tree->topLevelItem(i));
    QCOMPARE(headings,
             QStringList({QStringLiteral("%1 | HQ |  | ").arg(stats.HQAmount),
                          QStringLiteral("%1 | Assets |  | ").arg(stats.AssetAmount),
                          QStringLiteral("%1 | Bases |  | ").arg(stats.BaseAmount),
                          QStringLiteral("%1 | Enhancements |  | ").arg(stats.EnhanceAmount),
                          QStringLiteral("%1 | Interventions |  | ").arg(stats.IntervenAmount),
                          QStringLiteral("%1 | Programs |  | ").arg(stats.ProgAmount)}));
    QCOMPARE(acolyte(), QStringLiteral("3 | Bion Acolyte | 1 | Monastery"));
    QCOMPARE(Line(Row(tree, QStringLiteral("Bion HQ"))),
             QStringLiteral("1 | Bion HQ |  | Monastery"));
    QVERIFY(status->isHidden());
    QVERIFY(!add->isEnabled());  // nothing selected yet

    // The keyboard picks a card; the heading above it names none.
    QSignalSpy picked(&panel, &DeckPanel::cardSelected);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Home);
    QCOMPARE(picked.count(), 0);
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.back().front().toByteArray(), QByteArray("Bion HQ"));
    // The mouse too, and a click on the row already current picks it again.
    const QPoint at = tree->visualItemRect(Row(tree, QStringLiteral("Bion Acolyte"))).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(picked.count(), 3);
    QCOMPARE(picked.back().front().toByteArray(), QByteArray("Bion Acolyte"));
    QVERIFY(add->isEnabled());

    // +1 from the keyboard writes the file, the main window analyses it, and
    // the panel follows with the card still selected and nothing picked.
    const std::string before = test::TempDir::Read(path);
    QTest::keyClick(tree, Qt::Key_Plus);
    QVERIFY(test::TempDir::Read(path).find("4\tBion Acolyte") != std::string::npos);
    QCOMPARE(acolyte(), QStringLiteral("4 | Bion Acolyte | 1 | Monastery"));
    QCOMPARE(panel.selectedNames(), std::vector<std::string>{"Bion Acolyte"});
    QCOMPARE(picked.count(), 3);

    // The main window's Undo takes it back; Delete takes one out.
    QAction* undo = w.app->edits.undoAction();
    QCOMPARE(undo->text(), QStringLiteral("&Undo +1 Bion Acolyte"));
    undo->trigger();
    QCOMPARE(test::TempDir::Read(path), before);
    QCOMPARE(acolyte(), QStringLiteral("3 | Bion Acolyte | 1 | Monastery"));
    QTest::keyClick(tree, Qt::Key_Delete);
    QCOMPARE(acolyte(), QStringLiteral("2 | Bion Acolyte | 1 | Monastery"));
    QCOMPARE(undo->text(), QStringLiteral("&Undo \u22121 Bion Acolyte"));
    // Ctrl+Z in the panel is the same Undo.
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(test::TempDir::Read(path), before);
    // The minus key is −1 too, not the tree's own "close the group".
    QTest::keyClick(tree, Qt::Key_Minus);
    QCOMPARE(acolyte(), QStringLiteral("2 | Bion Acolyte | 1 | Monastery"));
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);

    // Enter opens the reader on the card; Ctrl+C copies its name.
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(w.deckReaders, 1);
    QCOMPARE(w.app->session.SelectedCardName, std::string("Bion Acolyte"));
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.platform.clipboard, QStringLiteral("Bion Acolyte"));

    // A deck saved broken empties the panel with the main window.
    w.dir.Write("deck.txt", "x\tBion Acolyte\r\n");
    w.platform.watcher->Fire();
    QCOMPARE(tree->topLevelItemCount(), 0);
    QVERIFY(!add->isEnabled());
    QVERIFY(status->isVisibleTo(&panel));

    QCOMPARE(test::UnnamedFocusableControls(panel), QStringList());
  }

  void marksTheCopyLimitAndSortsWithinGroups() {
    test::PanelWorkspace w;
    DeckPanel& panel = *w.deck;
    auto* tree = panel.findChild<QTreeWidget*>(QStringLiteral("DeckTree"));
    w.Open(
        "5\tBion Acolyte\r\n1\tBion HQ\r\n9\tBorder Town\r\n1\tAmbush Team\r\n"
        "3\tCloister Warden\r\n");
    const QTreeWidgetItem* over = Row(tree, QStringLiteral("Bion Acolyte"));
    const std::vector<std::string>& problems = w.app->master.view().ProblemBox();
    QVERIFY(std::find(problems.begin(), problems.end(),
                      ToCardBytes(over->toolTip(DeckPanel::kDomainColumn))) != problems.end());
    QVERIFY(!over->icon(DeckPanel::kCopiesColumn).isNull());
    QVERIFY(Row(tree, QStringLiteral("Border Town"))->icon(DeckPanel::kCopiesColumn).isNull());

    // A click on a heading sorts each group alone; the domain is no order.
    const auto assets = [tree] {
      QStringList rows;
      for (int i = 0; i < tree->topLevelItem(1)->childCount(); ++i) {
        rows << tree->topLevelItem(1)->child(i)->text(DeckPanel::kNameColumn);
      }
      return rows;
    };
    tree->setCurrentItem(Row(tree, QStringLiteral("Cloister Warden")));
    QHeaderView* header = tree->header();
    header->setSortIndicator(DeckPanel::kCopiesColumn, Qt::DescendingOrder);
    QCOMPARE(assets(), QStringList({"Bion Acolyte", "Cloister Warden", "Ambush Team"}));
    QCOMPARE(tree->topLevelItem(0)->text(DeckPanel::kNameColumn), QStringLiteral("HQ"));
    QCOMPARE(panel.selectedNames(), std::vector<std::string>{"Cloister Warden"});
    header->setSortIndicator(DeckPanel::kDomainColumn, Qt::AscendingOrder);
    QCOMPARE(header->sortIndicatorSection(), int{DeckPanel::kCopiesColumn});
    // The order and a closed group last through the next analysis.
    tree->topLevelItem(2)->setExpanded(false);
    w.app->master.reloadDeck();
    QCOMPARE(assets(), QStringList({"Bion Acolyte", "Cloister Warden", "Ambush Team"}));
    QVERIFY(!tree->topLevelItem(2)->isExpanded());
  }
};

QTEST_MAIN(DeckPanelTest)
#include "deck_panel_test.moc"
