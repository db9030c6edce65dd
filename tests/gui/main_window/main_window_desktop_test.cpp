// The main window's desktop habits over the sample card database, with a
// scripted platform and watcher: a deck named on the command line or dropped
// opens by the Open dialog's sequence, the recent decks menu, reloading the
// open deck when its file changes (keeping the user's choices, also across
// broken saves, and saying once per broken stretch that the file is broken),
// the standard shortcuts and the names a screen reader gives the fields and
// every other control that takes the focus.
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <cstdio>
#include <memory>

#include "core/analysis/session.h"
#include "core/import/card_data_update.h"
#include "gui/main_window/card_list_box.h"
#include "gui/main_window/figure_field.h"
#include "gui/main_window/main_window.h"
#include "support/accessibility_walk.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using quillet::MainWindow;

namespace {

// Names from samples/cards.txt; the counts are made up for these tests.
std::string Deck(int commandos = 3, const char* extra = "") {
  return "1\tGolani Special Forces HQ\r\n" + std::to_string(commandos) +
         "\tGolani Commando\r\n"
         "2\tBlue Helmet Sniper\r\n3\tSupply Depot\r\n2\tListening Post\r\n"
         "1\tSentinel Ice\r\n2\tArms Export Contract\r\n" +
         extra;
}

const QString kInvalid = QStringLiteral("File '%1' is not a valid deck file.");

struct Window {
  explicit Window(bool withData = true) : session(dir.path()) {
    if (withData) {
      quillet::UpdateCardData(session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                              quillet::UpdateOptions{});
    }
    form = std::make_unique<MainWindow>(document, platform);
    form->useConfigDir(config());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  }
  std::string config() const { return dir.path() + "config/quillet/"; }

  QAction* Action(const char* name) const {
    return form->findChild<QAction*>(QString::fromLatin1(name));
  }
  QString Write(const char* name, const std::string& bytes) const {
    return QString::fromStdString(dir.Write(name, bytes));
  }
  // Saves as the editors that write a new file and rename it over the old.
  void SaveByRename(const QString& path, const std::string& bytes) const {
    const std::string temp = dir.Write(".deck.txt.new", bytes);
    QCOMPARE(std::rename(temp.c_str(), path.toStdString().c_str()), 0);
  }
  QString Shown(const char* field) const { return form->field(field)->text(); }
  QStringList RecentMenu() const {
    QStringList items;
    for (QAction* item : form->findChild<QMenu*>(QStringLiteral("OpenRecent1"))->actions()) {
      items << item->text();
    }
    return items;
  }

  quillet::test::TempDir dir;
  quillet::Session session;
  quillet::test::ScriptedPlatform platform;
  quillet::DeckDocument document{session, platform};
  std::unique_ptr<MainWindow> form;
};

}  // namespace

class MainWindowDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void aDeckOnTheCommandLineOpensOnceTheWindowIsUp() {
    Window w;
    const QString path = w.Write("start.txt", Deck());
    QSignalSpy analysed(&w.form->document(), &quillet::DeckDocument::changed);
    w.form->openFromCommandLine({QStringLiteral("quillet"), path});
    QCOMPARE(analysed.count(), 0);  // not before the event loop runs
    QTRY_COMPARE(analysed.count(), 1);
    QCOMPARE(w.form->findChild<QLineEdit*>(QStringLiteral("DName"))->text(), path);
    QVERIFY(w.platform.openRequests.empty());  // no dialog
    QCOMPARE(w.Shown("AssetAmount"), QStringLiteral("5"));
    QCOMPARE(w.platform.watcher->watched(), path);

    // A broken deck named at start says so as the Open dialog would.
    Window broken;
    const QString bad = broken.Write("bad.txt", "x\tGolani Commando\r\n");
    broken.form->openFromCommandLine({QStringLiteral("quillet"), bad});
    QTRY_COMPARE(broken.platform.messages, QStringList{kInvalid.arg(bad)});
    QVERIFY(broken.form->openDeckPath().empty());

    // Without a card data file the usual warning stands alone.
    Window empty(false);
    empty.form->openFromCommandLine({QStringLiteral("quillet"), empty.Write("start.txt", Deck())});
    QTest::qWait(50);
    QCOMPARE(empty.platform.messages,
             QStringList{QStringLiteral("You must create a data file to use this program")});
    QVERIFY(empty.form->view().DName().empty());
  }

  void aDroppedDeckFileOpens() {
    Window w;
    const QString path = w.Write("dropped.txt", Deck(4));
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.org/deck.txt"))});
    QDragEnterEvent remote(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.form.get(), &remote);
    QVERIFY(!remote.isAccepted());

    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QSignalSpy analysed(&w.form->document(), &quillet::DeckDocument::changed);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.form.get(), &drop);
    QTRY_COMPARE(analysed.count(), 1);
    QCOMPARE(w.Shown("AssetAmount"), QStringLiteral("6"));
    QCOMPARE(w.form->recentDecks().Paths().front(), path.toStdString());
  }

  void recentDecksAreNewestFirstEightAtMostAndKept() {
    Window w;
    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
      paths << w.Write(QStringLiteral("deck%1.txt").arg(i).toLatin1().constData(), Deck());
      w.form->openDeckFile(paths.back());
    }
    w.form->openDeckFile(paths[4]);  // moves to the top, not repeated
    w.platform.openAnswers.push_back(w.Write("bad.txt", "nonsense"));
    w.form->openDeck();  // a deck that fails is not listed
    QStringList expected;
    for (int i : {4, 8, 7, 6, 5, 3, 2, 1}) expected << paths[i];
    auto numbered = [](const QStringList& list) {
      QStringList items;
      for (int i = 0; i < list.size(); ++i)
        items << QStringLiteral("&%1 %2").arg(i + 1).arg(list[i]);
      return items;
    };
    QCOMPARE(w.RecentMenu(), numbered(expected));

    // A deck gone from disk leaves the list when chosen, saying so.
    QFile::remove(paths[7]);
    QSignalSpy analysed(&w.form->document(), &quillet::DeckDocument::changed);
    w.Action("RecentDeck3")->trigger();
    QCOMPARE(w.platform.messages.last(),
             QStringLiteral("The deck file '%1' no longer exists; it has been removed from the "
                            "recent list.")
                 .arg(paths[7]));
    QCOMPARE(analysed.count(), 0);
    expected.removeAll(paths[7]);
    QCOMPARE(w.RecentMenu(), numbered(expected));
    w.Action("RecentDeck2")->trigger();  // an existing one opens and moves up
    QCOMPARE(analysed.count(), 1);
    expected.move(1, 0);

    // A new run over the same folder lists the same decks.
    quillet::test::ScriptedPlatform platform;
    quillet::DeckDocument document(w.session, platform);
    MainWindow again(document, platform);
    QVERIFY(again.recentDecks().Paths().empty());  // not kept until told where
    again.useConfigDir(w.config());
    QStringList listed;
    for (const auto& path : again.recentDecks().Paths()) listed << QString::fromStdString(path);
    QCOMPARE(listed, expected);
  }

  void aChangedDeckIsAnalysedAgainKeepingTheWindowsState() {
    Window w;
    const QString path = w.Write("deck.txt", Deck());
    w.form->openDeckFile(path);
    auto* costBox = w.form->findChild<QComboBox*>(QStringLiteral("CostBox"));
    costBox->setCurrentText(QStringLiteral("Programs"));
    w.form->selectCostKind(QStringLiteral("Programs"));
    w.form->findChild<QCheckBox*>(QStringLiteral("AssetSwitch"))->click();
    w.form->showFieldList("AssetAmount");
    QCOMPARE(w.Shown("AssetAmount"), QStringLiteral("5"));

    QSignalSpy analysed(&w.form->document(), &quillet::DeckDocument::changed);
    QSignalSpy listed(w.form.get(), &MainWindow::listShown);
    w.SaveByRename(path, Deck(5));
    w.platform.watcher->Fire();
    QCOMPARE(analysed.count(), 1);
    QCOMPARE(listed.count(), 1);
    QCOMPARE(w.Shown("AssetAmount"), QStringLiteral("7"));
    QCOMPARE(costBox->currentText(), QStringLiteral("Programs"));
    QVERIFY(w.form->findChild<QCheckBox*>(QStringLiteral("AssetSwitch"))->isChecked());
    QCOMPARE(w.form->view().ShownList(), std::string("AssetAmount"));
    QVERIFY(w.form->findChild<quillet::CardListBox*>(QStringLiteral("CardList"))
                ->lines()
                .contains(QStringLiteral("5    Golani Commando")));
    QCOMPARE(w.platform.watcher->watched(), path);

    // A notice without new content analyses nothing; F5 always does.
    w.platform.watcher->Fire();
    QCOMPARE(analysed.count(), 1);
    w.Action("Reload1")->trigger();
    QCOMPARE(analysed.count(), 2);
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(w.platform.busyDepth, 0);
  }

  void aDeckTurnedInvalidIsReportedOnceAndReloadsWhenMended() {
    Window w;
    const QString path = w.Write("deck.txt", Deck());
    w.form->openDeckFile(path);
    auto* costBox = w.form->findChild<QComboBox*>(QStringLiteral("CostBox"));
    costBox->setCurrentText(QStringLiteral("Programs"));
    w.form->selectCostKind(QStringLiteral("Programs"));
    w.form->findChild<QCheckBox*>(QStringLiteral("AssetSwitch"))->click();
    w.form->showFieldList("AssetAmount");
    // Notices keep coming while the message is up, as an editor writes in
    // steps; they are not answered with more messages.
    w.platform.onMessage = [&w](const QString&) { w.platform.watcher->Fire(); };
    w.SaveByRename(path, "3\tGolani Commando\r\nnot a line\r\n");
    w.platform.watcher->Fire();
    w.platform.watcher->Fire();
    QCOMPARE(w.platform.messages, QStringList{kInvalid.arg(path)});
    QCOMPARE(w.Shown("AssetAmount"), QString());           // emptied, as after a failed open
    QCOMPARE(w.form->openDeckPath(), path.toStdString());  // still watched

    // Saved broken again, differently: the stretch was reported already.
    w.platform.onMessage = nullptr;
    w.SaveByRename(path, "garbage\r\n");
    w.platform.watcher->Fire();
    QCOMPARE(w.platform.messages.size(), 1);

    // Mended: the switches and the list chosen before it broke come back.
    QSignalSpy analysed(&w.form->document(), &quillet::DeckDocument::changed);
    w.SaveByRename(path, Deck(4));
    w.platform.watcher->Fire();
    QCOMPARE(analysed.count(), 1);
    QCOMPARE(w.Shown("AssetAmount"), QStringLiteral("6"));
    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(costBox->currentText(), QStringLiteral("Programs"));
    QVERIFY(w.form->findChild<QCheckBox*>(QStringLiteral("AssetSwitch"))->isChecked());
    QCOMPARE(w.form->view().ShownList(), std::string("AssetAmount"));

    // A new stretch is reported again.
    w.SaveByRename(path, "garbage\r\n");
    w.platform.watcher->Fire();
    QCOMPARE(w.platform.messages.size(), 2);
  }

  void standardShortcutsAreThereAndUnique() {
    Window w;
    const std::pair<const char*, QKeySequence> keys[] = {
        {"NewDeck1", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"SaveList1", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Reload1", QKeySequence(Qt::Key_F5)},
        {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"Help2", QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [name, key] : keys) QCOMPARE(w.Action(name)->shortcut(), key);
    QList<QKeySequence> seen;
    for (QAction* action : w.form->findChildren<QAction*>()) {
      if (action->shortcut().isEmpty()) continue;
      QVERIFY2(!seen.contains(action->shortcut()), qPrintable(action->objectName()));
      seen << action->shortcut();
    }
    // The File menu's access keys stay distinct with the new items.
    QList<QChar> accessKeys;
    for (QAction* item : w.form->findChild<QMenu*>(QStringLiteral("File1"))->actions()) {
      const qsizetype amp = item->text().indexOf(QLatin1Char('&'));
      if (amp < 0) continue;
      const QChar key = item->text().at(amp + 1).toLower();
      QVERIFY2(!accessKeys.contains(key), qPrintable(item->text()));
      accessKeys << key;
    }
    QVERIFY(!w.Action("Reload1")->isEnabled());  // nothing open yet
    w.form->openDeckFile(w.Write("deck.txt", Deck()));
    QVERIFY(w.Action("Reload1")->isEnabled());
  }

  void fieldsAreReadOutWithTheirCaptions() {
    Window w;
    w.form->openDeckFile(w.Write("deck.txt", Deck()));
    QAccessibleInterface* assets =
        QAccessible::queryAccessibleInterface(w.form->field("AssetAmount"));
    QVERIFY(assets != nullptr);
    QCOMPARE(assets->text(QAccessible::Name), QStringLiteral("Assets:"));
    QCOMPARE(assets->text(QAccessible::Value), QStringLiteral("5"));
    QCOMPARE(w.form->findChild<QLabel*>(QStringLiteral("AssetAmountLabel"))->text(),
             QStringLiteral("Assets:"));  // the caption itself is unchanged
    for (const auto& field : quillet::MasterFields()) {
      const QString name = w.form->field(field.name)->accessibleName();
      QVERIFY2(name.endsWith(QLatin1Char(':')) && name == name.trimmed(), field.name.data());
    }
    QCOMPARE(w.form->field("AntiTerAmount")->accessibleName(), QStringLiteral("AT:"));
    QCOMPARE(w.form->field("CovCost")->accessibleName(), QStringLiteral("Covert cost:"));
    QCOMPARE(w.form->findChild<QLineEdit*>(QStringLiteral("DName"))->accessibleName(),
             QStringLiteral("Deck Name:"));
  }

  void everyFocusableControlHasAName() {
    // The walk itself finds a nameless control, and stops finding it once
    // it is named.
    QWidget probe;
    auto* nameless = new QLineEdit(&probe);
    nameless->setObjectName(QStringLiteral("Nameless"));
    QCOMPARE(quillet::test::UnnamedFocusableControls(probe),
             QStringList{QStringLiteral("QLineEdit 'Nameless'")});
    nameless->setAccessibleName(QStringLiteral("Something"));
    QVERIFY(quillet::test::UnnamedFocusableControls(probe).isEmpty());

    Window w;
    QStringList unnamed = quillet::test::UnnamedFocusableControls(*w.form);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    // With a deck open, the card list also says what it shows.
    w.form->openDeckFile(w.Write("deck.txt", Deck()));
    unnamed = quillet::test::UnnamedFocusableControls(*w.form);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
        w.form->findChild<QWidget*>(QStringLiteral("CardList")));
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Card list"));
    QVERIFY(list->text(QAccessible::Description).startsWith(QStringLiteral("Deck: ")));
  }
};

QTEST_MAIN(MainWindowDesktopTest)
#include "main_window_desktop_test.moc"
