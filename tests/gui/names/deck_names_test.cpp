// The names of a deck as a list, inside the whole application over the
// sample card database: misspelt names shown with their suggestions in the
// Deck panel, fixed in one step of the shared history through the dialog,
// a list pasted or imported into a new deck that opens, what was guessed
// said, and the open deck copied as a list.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "gui/names/fix_names_dialog.h"
#include "support/panel_workspace.h"

using namespace quillet;

namespace {

// Calls `answer` with the Fix Card Names dialog once it is up.
void WhenDialogShows(const std::function<void(FixNamesDialog&)>& answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<FixNamesDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) qFatal("no Fix Card Names dialog");
    answer(*dialog);
  });
}

// The list items belong to the application's DeckNamesActions.
QAction* Item(const test::PanelWorkspace& w, const char* name) {
  return w.app->names.findChild<QAction*>(QString::fromLatin1(name));
}

QStringList MenuTexts(QWidget& window, const char* menu) {
  QStringList texts;
  for (QAction* item : window.findChild<QMenu*>(QString::fromLatin1(menu))->actions()) {
    texts << item->text();
  }
  return texts;
}

// The "Not found" group's rows, each with the line under it.
QStringList NotFoundRows(QTreeWidget* tree) {
  QStringList rows;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* group = tree->topLevelItem(i);
    if (group->text(DeckPanel::kNameColumn) != QStringLiteral("Not found")) continue;
    for (int r = 0; r < group->childCount(); ++r) {
      const QTreeWidgetItem* row = group->child(r);
      rows << row->text(DeckPanel::kNameColumn) + QStringLiteral(" / ") +
                  (row->childCount() == 1 ? row->child(0)->text(DeckPanel::kNameColumn)
                                          : QStringLiteral("-"));
    }
  }
  return rows;
}

const std::string kMisspelt =
    "3\tbion acolyte\r\n1\tBion HQ\r\n2\tKoan Ic\r\n1\tZzyzx Qat\r\n2\tPrayer Beads\r\n";

}  // namespace

class DeckNamesTest : public QObject {
  Q_OBJECT

 private slots:
  void misspeltNamesAreSuggestedAndFixedInOneStep() {
    test::PanelWorkspace w;
    MainWindow& master = w.app->master;
    QAction* fix = Item(w, "FixCardNames1");
    QAction* undo = w.app->edits.undoAction();
    QVERIFY(!fix->isEnabled() && !Item(w, "CopyDeckList1")->isEnabled());
    QCOMPARE(MenuTexts(master, "Edit1"),
             (QStringList{"&Undo", "&Redo", "", "&Copy Card to Clipboard", "Copy Deck &List",
                          "&Paste as New Deck", "", "&Fix Card Names..."}));
    QVERIFY(MenuTexts(master, "File1").contains(QStringLiteral("&Import Deck...")));

    const std::string path = w.Open(kMisspelt);
    QCOMPARE(w.platform.messages,
             QStringList{"Error - the following cards could not be found: bion acolyte, Koan "
                         "Ic, Zzyzx Qat"});
    QVERIFY(fix->isEnabled());
    auto* tree = w.deck->findChild<QTreeWidget*>(QStringLiteral("DeckTree"));
    QCOMPARE(NotFoundRows(tree),
             (QStringList{"bion acolyte / did you mean: Bion Acolyte",
                          "Koan Ic / did you mean: Koan Ice", "Zzyzx Qat / no suggestion"}));
    // The line under a name is no card: selecting it selects nothing.
    tree->setCurrentItem(tree->findItems(QStringLiteral("did you mean: Koan Ice"),
                                         Qt::MatchExactly | Qt::MatchRecursive,
                                         DeckPanel::kNameColumn)
                             .front());
    QVERIFY(w.deck->selectedNames().empty());

    // A re-analysis of the same names keeps quiet.
    master.reloadDeck();
    QCOMPARE(w.platform.messages.size(), 1);

    // Cancel changes nothing.
    WhenDialogShows([](FixNamesDialog& dialog) { dialog.reject(); });
    fix->trigger();
    QCOMPARE(test::TempDir::Read(path), kMisspelt);
    QVERIFY(!undo->isEnabled());

    // The Card panel on a name about to be fixed.
    tree->setCurrentItem(tree->findItems(QStringLiteral("bion acolyte"),
                                         Qt::MatchExactly | Qt::MatchRecursive,
                                         DeckPanel::kNameColumn)
                             .front());
    QVERIFY(w.card->shownCard() != "Bion Acolyte");  // no card of that name

    // The sure names are chosen already; the user keeps Koan Ic as written.
    WhenDialogShows([](FixNamesDialog& dialog) {
      QCOMPARE(dialog.choice(0)->currentText(), QStringLiteral("Bion Acolyte"));
      QCOMPARE(dialog.choice(1)->currentText(), QStringLiteral("Koan Ice"));
      QCOMPARE(dialog.choice(2)->currentText(), QStringLiteral("Keep as written"));
      QCOMPARE(dialog.choice(2)->count(), 1);
      dialog.choice(1)->setCurrentIndex(dialog.choice(1)->count() - 1);
      dialog.findChild<QPushButton*>(QStringLiteral("ApplyButton"))->click();
    });
    fix->trigger();
    const std::string fixed =
        "3\tBion Acolyte\r\n1\tBion HQ\r\n2\tKoan Ic\r\n1\tZzyzx Qat\r\n2\tPrayer Beads\r\n";
    QCOMPARE(test::TempDir::Read(path), fixed);
    // The Card panel follows the rename.
    QCOMPARE(w.card->shownCard(), std::string("Bion Acolyte"));
    // One step, analysed again, and no box for names the user was told of.
    QCOMPARE(undo->text(), QStringLiteral("&Undo Fix Card Names"));
    QCOMPARE(NotFoundRows(tree),
             (QStringList{"Koan Ic / did you mean: Koan Ice", "Zzyzx Qat / no suggestion"}));
    QCOMPARE(w.platform.messages.size(), 1);
    undo->trigger();
    QCOMPARE(test::TempDir::Read(path), kMisspelt);
    QCOMPARE(NotFoundRows(tree).size(), 3);
    QCOMPARE(w.platform.messages.size(), 1);

    // The open deck as a list to share.
    Item(w, "CopyDeckList1")->trigger();
    QCOMPARE(w.platform.clipboard,
             QStringLiteral("3 bion acolyte\n1 Bion HQ\n2 Koan Ic\n1 Zzyzx Qat\n2 Prayer Beads\n"));
  }

  void aDeckWithEveryNameFoundHasNothingToFix() {
    test::PanelWorkspace w;
    w.Open("1\tBion HQ\r\n");
    Item(w, "FixCardNames1")->trigger();
    QCOMPARE(w.platform.messages, QStringList{"Every card name of the deck is found."});
  }

  void aPastedListBecomesADeckThatOpens() {
    test::PanelWorkspace w;
    MainWindow& master = w.app->master;
    QAction* paste = Item(w, "PasteAsNewDeck1");
    paste->trigger();
    QCOMPARE(w.platform.messages, QStringList{"The clipboard holds no text to import."});
    w.platform.messages.clear();

    w.platform.clipboard = QStringLiteral(
        "Assets (4):\n4x bion acolyte\n// a comment\nKoan Ice x2\n1 Zzyzx Qat\n3 Bion "
        "Acolyte\n");
    w.platform.saveAnswers.push_back(std::nullopt);  // the user thinks again
    paste->trigger();
    QCOMPARE(w.platform.saveRequests.back().fileName, QStringLiteral("Pasted Deck.txt"));
    QCOMPARE(w.platform.saveRequests.back().defaultSuffix, QStringLiteral("txt"));
    QVERIFY(master.openDeckPath().empty());
    QVERIFY(w.platform.messages.isEmpty());

    const std::string path = w.dir.File("pasted.txt");
    w.platform.saveAnswers.push_back(QString::fromStdString(path));
    paste->trigger();
    QCOMPARE(test::TempDir::Read(path), std::string("7\tBion Acolyte\r\n2\tKoan Ice\r\n1\tZzyzx "
                                                    "Qat\r\n"));
    QCOMPARE(master.openDeckPath(), path);
    QCOMPARE(master.field("AssetAmount")->text(), QStringLiteral("7"));
    // The analysis names the card it lacks, then the import says what it
    // guessed and what it kept.
    QCOMPARE(w.platform.messages,
             (QStringList{"Error - the following cards could not be found: Zzyzx Qat",
                          "Some names of the list were not found as written:\n\n"
                          "Line 2: '4x bion acolyte' was read as 'Bion Acolyte'.\n"
                          "Line 5: 'Zzyzx Qat' is not a card; it was kept as written."}));
  }

  void aSideboardIsLeftOutAndSaid() {
    test::PanelWorkspace w;
    MainWindow& master = w.app->master;
    w.platform.clipboard = QStringLiteral(
        "1 Bion HQ\rSideboard (3):\r2 Koan Ice\rAssets:\r2 Prayer Beads\rSB: 1 Koan Ice\r");
    // The save dialog had the user confirm replacing the file.
    const std::string path = w.dir.Write("pasted.txt", "9\tKoan Ice\r\n");
    w.platform.saveAnswers.push_back(QString::fromStdString(path));
    Item(w, "PasteAsNewDeck1")->trigger();
    QCOMPARE(test::TempDir::Read(path), std::string("1\tBion HQ\r\n2\tPrayer Beads\r\n"));
    QCOMPARE(master.openDeckPath(), path);
    QCOMPARE(w.platform.messages, QStringList{"These lines of a sideboard were left out of the "
                                              "deck:\n\nLine 3: '2 Koan Ice'\n"
                                              "Line 6: 'SB: 1 Koan Ice'"});
  }

  void anImportedFileBecomesADeckThatOpens() {
    test::PanelWorkspace w;
    MainWindow& master = w.app->master;
    // Windows-1252 bytes, as another tool may write them; every name exact.
    const std::string source = w.dir.Write("list.txt", "Bion HQ\r\n2 Prayer Beads\r\n\r\n");
    const std::string deck = w.dir.File("list Deck.txt");
    w.platform.openAnswers.push_back(QString::fromStdString(source));
    w.platform.saveAnswers.push_back(QString::fromStdString(deck));
    Item(w, "ImportDeck1")->trigger();
    QCOMPARE(w.platform.saveRequests.back().fileName, QStringLiteral("list Deck.txt"));
    QCOMPARE(test::TempDir::Read(deck), std::string("1\tBion HQ\r\n2\tPrayer Beads\r\n"));
    QCOMPARE(master.openDeckPath(), deck);
    QVERIFY2(w.platform.messages.isEmpty(), qPrintable(w.platform.messages.join('|')));

    // A list of no card lines asks for no file; a source that cannot be
    // read says so.
    w.platform.openAnswers.push_back(
        QString::fromStdString(w.dir.Write("empty.txt", "# nothing\r\nAssets:\r\n")));
    Item(w, "ImportDeck1")->trigger();
    w.platform.openAnswers.push_back(QString::fromStdString(w.dir.File("gone.txt")));
    Item(w, "ImportDeck1")->trigger();
    QCOMPARE(w.platform.saveRequests.size(), std::size_t{1});
    QCOMPARE(w.platform.messages.size(), 2);
    QCOMPARE(w.platform.messages.front(), QStringLiteral("The list holds no card lines."));
    QCOMPARE(master.openDeckPath(), deck);
  }

  void theDialogKeepsWhatIsNotSure() {
    const std::vector<UnfoundLine> lines = {
        {4, "Grnt", {SuggestionKind::Near, {"Grunt", "Grant"}, false}},
        {9, "Mole\xe9", {SuggestionKind::Loose, {"Mol\xe9"}, true}}};
    FixNamesDialog dialog(lines);
    QCOMPARE(dialog.choice(0)->currentText(), QStringLiteral("Keep as written"));
    QCOMPARE(dialog.choice(1)->currentText(), QStringLiteral("Mol\u00e9"));
    dialog.choice(0)->setCurrentIndex(1);
    const std::vector<NameFix> fixes = dialog.fixes();
    QCOMPARE(fixes.size(), std::size_t{2});
    QCOMPARE(fixes[0].line, std::size_t{4});
    QCOMPARE(fixes[0].name, std::string("Grant"));
    QCOMPARE(fixes[1].line, std::size_t{9});
    QCOMPARE(fixes[1].name, std::string("Mol\xe9"));
  }
};

QTEST_MAIN(DeckNamesTest)
#include "deck_names_test.moc"
