// Editing the open deck from the card browser, inside the whole application
// over the sample card database: a new deck filled with +1 and -1, undone and
// redone from both windows, the main window following every step with the
// user's choices kept; and the refusals, which change nothing.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "core/deck_edit/deck_editor.h"
#include "core/import/card_data_update.h"
#include "gui/browser/card_table_model.h"
#include "gui/main_window/figure_field.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

struct Run {
  Run() {
    {
      CardDatabase db(dir.path());
      UpdateCardData(db, QUILLET_SOURCE_DIR "/samples/cards.txt", UpdateOptions{});
    }
    app = std::make_unique<Application>(dir.path(), platform);
    app->master.show();
    Action(app->master, "CardBrowser1")->trigger();
    table = app->browser().findChild<QTableView*>(QStringLiteral("CardTable"));
  }
  static QAction* Action(QWidget& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
  }
  QAction* Browser(const char* name) const { return Action(app->browser(), name); }
  QString Shown(const char* field) const { return app->master.field(field)->text(); }
  std::string Bytes(const std::string& path) const { return test::TempDir::Read(path); }

  // Selects the named cards in the browser's table, as a user would.
  void Select(const QStringList& names) const {
    CardTableModel& model = app->browser().model();
    table->clearSelection();
    for (int row = 0; row < model.rowCount(); ++row) {
      if (names.contains(model.index(row, 0).data().toString())) {
        table->selectionModel()->select(model.index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
      }
    }
  }
  QStringList Selected() const {
    QStringList names;
    for (const QModelIndex& index : table->selectionModel()->selectedRows()) {
      names << index.data().toString();
    }
    names.sort();
    return names;
  }

  test::TempDir dir;
  test::ScriptedPlatform platform;
  std::unique_ptr<Application> app;
  QTableView* table = nullptr;
};

}  // namespace

class DeckEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void aNewDeckIsFilledUndoneAndRedone() {
    Run r;
    MainWindow& master = r.app->master;
    QAction* add = r.Browser("AddCopy");
    QAction* remove = r.Browser("RemoveCopy");
    QAction* undo = r.app->edits.undoAction();
    QAction* redo = r.app->edits.redoAction();
    // In the main window's Edit menu, with access keys of their own.
    QStringList editMenu;
    for (QAction* item : master.findChild<QMenu*>(QStringLiteral("Edit1"))->actions()) {
      editMenu << item->text();
    }
    QCOMPARE(editMenu.mid(0, 4), (QStringList{"&Undo", "&Redo", "", "&Copy Card to Clipboard"}));
    r.Select({"Golani Commando"});
    QVERIFY(!add->isEnabled());  // no deck open yet

    const std::string path = r.dir.File("fresh.txt");
    r.platform.saveAnswers.push_back(QString::fromStdString(path));
    r.Action(master, "NewDeck1")->trigger();
    QCOMPARE(r.platform.saveRequests.back().defaultSuffix, QStringLiteral("txt"));
    // An empty deck is a deck of no cards, not a broken file.
    QVERIFY2(r.platform.messages.isEmpty(), qPrintable(r.platform.messages.join('|')));
    QCOMPARE(r.Bytes(path), std::string());
    QCOMPARE(master.openDeckPath(), path);
    QCOMPARE(master.recentDecks().Paths().front(), path);
    QCOMPARE(r.platform.watcher->watched(), QString::fromStdString(path));
    QVERIFY(add->isEnabled() && !undo->isEnabled() && !redo->isEnabled());

    add->trigger();
    add->trigger();
    QCOMPARE(r.Bytes(path), std::string("2\tGolani Commando\r\n"));
    QCOMPARE(r.Shown("AssetAmount"), QStringLiteral("2"));
    // The user's choices in the main window, kept through every edit below.
    master.showFieldList("AssetAmount");
    master.findChild<QCheckBox*>(QStringLiteral("AssetSwitch"))->setChecked(true);
    master.applyAssetSwitch();

    QSignalSpy analysed(&master.document(), &DeckDocument::changed);
    r.Select({"Golani Commando", "Supply Depot"});
    add->trigger();
    QCOMPARE(r.Bytes(path), std::string("3\tGolani Commando\r\n1\tSupply Depot\r\n"));
    QCOMPARE(analysed.count(), 1);
    // The edit's own notice from the watcher brings nothing new.
    r.platform.watcher->Fire();
    QCOMPARE(analysed.count(), 1);
    QCOMPARE(r.Shown("AssetAmount"), QStringLiteral("3"));
    QCOMPARE(master.view().ShownList(), std::string("AssetAmount"));
    QCOMPARE(master.view().CardList().size(), std::size_t{1});
    QVERIFY(master.view().AssetSwitch());
    QCOMPARE(r.app->browser()
                 .model()
                 .index(r.table->selectionModel()->selectedRows().front().row(),
                        static_cast<int>(CatalogueColumn::InDeck))
                 .data()
                 .toString(),
             QStringLiteral("3"));
    QCOMPARE(r.Selected(), (QStringList{"Golani Commando", "Supply Depot"}));

    remove->trigger();
    QCOMPARE(r.Bytes(path), std::string("2\tGolani Commando\r\n"));
    QCOMPARE(r.Shown("AssetAmount"), QStringLiteral("2"));
    // One step per card, named in the menu.
    QCOMPARE(undo->text(), QStringLiteral("&Undo \u22121 Supply Depot"));

    // Ctrl+Z in the browser is the main window's Undo.
    r.app->browser().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.app->browser()));
    r.table->setFocus();
    QTest::keyClick(r.table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(r.Bytes(path), std::string("2\tGolani Commando\r\n1\tSupply Depot\r\n"));
    undo->trigger();
    QCOMPARE(r.Bytes(path), std::string("3\tGolani Commando\r\n1\tSupply Depot\r\n"));
    QCOMPARE(redo->text(), QStringLiteral("&Redo \u22121 Golani Commando"));
    redo->trigger();
    QCOMPARE(r.Bytes(path), std::string("2\tGolani Commando\r\n1\tSupply Depot\r\n"));
    QCOMPARE(r.Shown("AssetAmount"), QStringLiteral("2"));
    QCOMPARE(master.view().ShownList(), std::string("AssetAmount"));
    QVERIFY(undo->isEnabled() && redo->isEnabled());
    QVERIFY2(r.platform.messages.isEmpty(), qPrintable(r.platform.messages.join('|')));

    // Another deck opened: a history of its own.
    master.openDeckFile(QString::fromStdString(r.dir.Write("other.txt", "1\tSupply Depot\r\n")));
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(r.Bytes(path), std::string("2\tGolani Commando\r\n1\tSupply Depot\r\n"));
  }

  void refusalsChangeNothing() {
    Run r;
    MainWindow& master = r.app->master;
    QAction* add = r.Browser("AddCopy");
    QAction* undo = r.app->edits.undoAction();
    const std::string negative = "1\tGolani Commando\r\n2\tBlue Helmet Sniper\r\n-1\tSupply Depot";
    const std::string path = r.dir.Write("deck.txt", negative);
    master.openDeckFile(QString::fromStdString(path));
    QVERIFY(r.platform.messages.isEmpty());
    QSignalSpy analysed(&master.document(), &DeckDocument::changed);

    // Neither card changes, though Blue Helmet Sniper, edited first, could.
    r.Select({"Supply Depot", "Blue Helmet Sniper"});
    add->trigger();
    QCOMPARE(r.platform.messages.size(), 1);
    QVERIFY2(r.platform.messages.front().contains(QStringLiteral("negative count")),
             qPrintable(r.platform.messages.front()));
    QCOMPARE(r.Bytes(path), negative);
    QVERIFY(!undo->isEnabled());
    QCOMPARE(analysed.count(), 0);

    // Changed elsewhere since it was read: refused, and the deck reloaded.
    const std::string elsewhere = "4\tGolani Commando\r\n2\tSupply Depot\r\n";
    r.dir.Write("deck.txt", elsewhere);
    r.Select({"Supply Depot"});
    add->trigger();
    QCOMPARE(r.platform.messages.last(),
             QStringLiteral("The deck file changed on disk; it has been reloaded."));
    QCOMPARE(r.Bytes(path), elsewhere);
    QCOMPARE(analysed.count(), 1);
    QCOMPARE(r.Shown("AssetAmount"), QStringLiteral("4"));

    // Changed elsewhere and already reloaded by the watcher: the edit goes on
    // from what the window shows.
    r.dir.Write("deck.txt", "5\tGolani Commando\r\n2\tSupply Depot\r\n");
    r.platform.watcher->Fire();
    QCOMPARE(analysed.count(), 2);
    const qsizetype before = r.platform.messages.size();
    add->trigger();
    QCOMPARE(r.platform.messages.size(), before);
    QCOMPARE(r.Bytes(path), std::string("5\tGolani Commando\r\n3\tSupply Depot\r\n"));

    // A broken file, reloaded by the watcher: said once, and then refused.
    const std::string broken = "x\tGolani Commando\r\n1\tSupply Depot\r\n";
    r.dir.Write("deck.txt", broken);
    r.platform.watcher->Fire();
    QCOMPARE(
        r.platform.messages.last(),
        QStringLiteral("File '%1' is not a valid deck file.").arg(QString::fromStdString(path)));
    const qsizetype said = r.platform.messages.size();
    add->trigger();
    QCOMPARE(r.platform.messages.size(), said + 1);
    QVERIFY2(r.platform.messages.last().contains(QStringLiteral("not valid")),
             qPrintable(r.platform.messages.last()));
    QCOMPARE(r.Bytes(path), broken);
    QCOMPARE(analysed.count(), 4);

    // Every count reads, but the total leaves the integer range, so the
    // analysis refuses the deck: so does the edit.
    const std::string overflowing = "2000000000\tGolani Commando\r\n2000000000\tSupply Depot\r\n";
    r.dir.Write("deck.txt", overflowing);
    r.platform.watcher->Fire();
    QVERIFY(master.view().DName().empty());
    add->trigger();
    QCOMPARE(r.platform.messages.last(),
             QStringLiteral("The deck file is not valid, so it was not changed."));
    QCOMPARE(r.Bytes(path), overflowing);
  }
};

QTEST_MAIN(DeckEditingTest)
#include "deck_editing_test.moc"
