// The compare window in the running program: File > Compare With... over the
// sample deck and its variation, the window following the main window's
// switches and analyses, copying, and the ways the second deck can fail.
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "app/application.h"
#include "core/import/card_data_update.h"
#include "gui/platform/panel_dock.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

const QString kSamples = QStringLiteral(QUILLET_SOURCE_DIR "/samples/");
const QString kMinus = QString(QChar(0x2212));

// Every line of a list, children indented, cells joined by " | ".
QStringList Rows(const QTreeWidget* tree) {
  QStringList rows;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = tree->topLevelItem(i);
    QStringList cells;
    for (int c = 0; c < tree->columnCount(); ++c) cells << item->text(c);
    rows << cells.join(QStringLiteral(" | "));
    for (int j = 0; j < item->childCount(); ++j) rows << "  " + item->child(j)->text(0);
  }
  return rows;
}

}  // namespace

class ComparePanelTest : public QObject {
  Q_OBJECT

 private:
  test::TempDir dir_;

  QTreeWidget* Tree(Application& app, const char* name) {
    auto* tree = app.compare().findChild<QTreeWidget*>(QString::fromLatin1(name));
    if (!tree) qFatal("no list %s", name);
    return tree;
  }

 private slots:
  void initTestCase() {
    Session session(dir_.path());
    UpdateCardData(session.db, (kSamples + "cards.txt").toStdString(), UpdateOptions{});
  }

  void comparesTheOpenDeckWithAnother() {
    test::ScriptedPlatform platform;
    Application app(dir_.path(), platform);
    app.master.show();
    auto* compareWith = app.master.findChild<QAction*>(QStringLiteral("CompareWith1"));
    QVERIFY(compareWith);
    QVERIFY(!compareWith->isEnabled());  // no deck open yet

    platform.openAnswers.push_back(kSamples + "decks/monastery-bion.txt");
    app.master.openDeck();
    QVERIFY(compareWith->isEnabled());
    // Before any comparison the panel says what it is for.
    app.workspace.showPanel(QStringLiteral("ComparePanel"));
    QVERIFY(app.compare()
                .findChild<QLabel*>(QStringLiteral("DeckNames"))
                ->text()
                .contains(QStringLiteral("Compare With... shows")));
    platform.openAnswers.push_back(kSamples + "decks/monastery-bion-v2.txt");
    compareWith->trigger();
    QVERIFY(app.compare().isVisible());
    QVERIFY(!app.compare().isModal());
    // The dialog starts in the open deck's folder; the other deck's missing
    // card is listed in the window, not in a message box.
    QCOMPARE(platform.openRequests.back().initialDirectory, kSamples + "decks/");
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(platform.busyDepth, 0);

    QCOMPARE(
        Rows(Tree(app, "CardsBox")),
        QStringList({"Koan Ice | 1 | 2 | +1", "Mercenary Gunner | 0 | 1 | +1",
                     "Saffron Runner | 0 | 2 | +2", "Thousand Eye Seer | 1 | 0 | " + kMinus + "1",
                     "Vow of Silence | 2 | 1 | " + kMinus + "1"}));
    const QStringList figures = Rows(Tree(app, "FieldsBox"));
    QVERIFY(figures.contains("Total | 40 | 42 | +2"));
    QVERIFY(figures.contains("CyberOps production | 105 | 90 | " + kMinus + "15"));
    QVERIFY(figures.contains("Monastery | 41 | 41 | 0") == false);
    QCOMPARE(Rows(Tree(app, "ProblemsBox")),
             QStringList({"Only in the open deck", "  (none)", "Only in the other deck",
                          "  Non-Monastery cards in Bion HQ deck!"}));
    QCOMPARE(Rows(Tree(app, "MissingBox")),
             QStringList({"In the open deck", "  (none)", "In the other deck", "  Lotus Warden"}));

    // The asset switch of the main window: the domains now count assets only.
    const bool monasteryAllCards = figures.join('\n').contains("Monastery |");
    auto* assetSwitch = app.master.findChild<QCheckBox*>(QStringLiteral("AssetSwitch"));
    QTest::mouseClick(assetSwitch, Qt::LeftButton);
    QVERIFY(assetSwitch->isChecked());
    const QStringList assetFigures = Rows(Tree(app, "FieldsBox"));
    QVERIFY(assetFigures != figures || !monasteryAllCards);
    QVERIFY(assetFigures.contains("Monastery | 14 | 15 | +1"));
    QVERIFY(app.compare()
                .findChild<QLabel*>(QStringLiteral("Switches"))
                ->text()
                .contains("assets only"));

    // In a dock of 320 pixels every list shows its copies columns whole.
    app.workspace.showPanel(QStringLiteral("ComparePanel"));
    auto* dock = app.workspace.panel(QStringLiteral("ComparePanel"));
    dock->setFloating(true);
    dock->resize(320, 700);
    QTest::qWait(20);
    for (const char* name : {"CardsBox", "FieldsBox"}) {
      QTreeWidget* list = Tree(app, name);
      const QHeaderView* header = list->header();
      const int last = header->count() - 1;
      QVERIFY2(header->sectionViewportPosition(last) + header->sectionSize(last) <=
                   list->viewport()->width(),
               name);
    }

    app.compare().copyComparison();
    QVERIFY(platform.clipboard.contains("Thousand Eye Seer\t1\t0\t" + kMinus + "1\n"));
    QVERIFY(platform.clipboard.contains("  Lotus Warden\n"));

    // A second deck that is not valid is said so, and the comparison stays.
    platform.openAnswers.push_back(kSamples + "decks/not-a-deck.txt");
    app.compare().compareWith();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.back().contains("is not a valid deck file"));
    QCOMPARE(Tree(app, "CardsBox")->topLevelItemCount(), 5);
    // Cancelling changes nothing.
    platform.openAnswers.push_back(std::nullopt);
    app.compare().compareWith();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(app.compare().comparison().has_value());

    // A failed analysis of the open deck empties the window.
    platform.openAnswers.push_back(kSamples + "decks/not-a-deck.txt");
    app.master.openDeck();
    QVERIFY(!app.compare().comparison().has_value());
    QCOMPARE(Tree(app, "CardsBox")->topLevelItemCount(), 0);
    QVERIFY(!compareWith->isEnabled());
    // A new deck compares again with the same other deck.
    platform.openAnswers.push_back(kSamples + "decks/un-golani.txt");
    app.master.openDeck();
    QVERIFY(app.compare().comparison().has_value());
    QCOMPARE(app.compare().comparison()->B,
             (kSamples + "decks/monastery-bion-v2.txt").toStdString());
  }
};

QTEST_MAIN(ComparePanelTest)
#include "compare_panel_test.moc"
