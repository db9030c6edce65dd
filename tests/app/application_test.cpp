#include "app/application.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui/platform/window_font.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

const char kCardList[] =
    "Alpha Relay\tBase\tC\tBase\t\t\t\t\t\t\tMilitary 2/-1 \t\t\t\tUN\t\tRelays power.\n"
    "Harness "
    "Bull\tBase\tU\tAsset\t3\t5\t6\t1\t2\t0\t1/0/0\t1/0/0\t0/0/0\t0/0/0\tMech.\t\tCharges.\n";

// Notes which of the later windows already existed when a message was shown.
class WatchingPlatform : public Platform {
 public:
  explicit WatchingPlatform(test::ScriptedPlatform& inner) : inner(inner) {}
  test::ScriptedPlatform& inner;
  QStringList windowsAtMessage;

  void showMessage(QWidget* parent, const QString& text) override {
    for (QWidget* w : QApplication::topLevelWidgets()) windowsAtMessage << w->objectName();
    inner.showMessage(parent, text);
  }
  std::optional<QString> getOpenFileName(QWidget* p, const FileDialogOptions& o) override {
    return inner.getOpenFileName(p, o);
  }
  std::optional<QString> getSaveFileName(QWidget* p, const FileDialogOptions& o) override {
    return inner.getSaveFileName(p, o);
  }
  void setClipboardText(const QString& t) override { inner.setClipboardText(t); }
  QString clipboardText() override { return inner.clipboardText(); }
  void setClipboardImage(const QImage& i) override { inner.setClipboardImage(i); }
  bool choosePrinter(QWidget* p, QPrinter& printer) override {
    return inner.choosePrinter(p, printer);
  }
  void beginBusy() override { inner.beginBusy(); }
  void endBusy() override { inner.endBusy(); }
  void showHelp(QWidget* p, const QString& t) override { inner.showHelp(p, t); }
  bool openUrl(const QString& u) override { return inner.openUrl(u); }
};

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private:
  static bool Enabled(Application& app, const char* name) {
    if (auto* button = app.master.findChild<QPushButton*>(QString::fromLatin1(name))) {
      return button->isEnabled();
    }
    auto* action = app.master.findChild<QAction*>(QString::fromLatin1(name));
    if (!action) qFatal("no command %s", name);
    return action->isEnabled();
  }
  static QStringList DeckCommands(Application& app, bool enabled) {
    QStringList out;
    for (const char* name :
         {"AnalyzeButton", "ReaderButton", "SaveButton", "Open1", "SaveList1", "CardStats1"}) {
      if (Enabled(app, name) == enabled) out << QString::fromLatin1(name);
    }
    return out;
  }

 private slots:
  void startsWithoutADatabase() {
    test::TempDir dir;
    test::ScriptedPlatform scripted;
    WatchingPlatform platform(scripted);
    Application app(dir.path(), platform);
    QCOMPARE(scripted.messages, QStringList{"You must create a data file to use this program"});
    // The warning comes while the main window is created, before the others.
    QVERIFY(!platform.windowsAtMessage.contains(QStringLiteral("ReaderForm")));
    QVERIFY(!platform.windowsAtMessage.contains(QStringLiteral("UpdaterForm")));
    QVERIFY(!platform.windowsAtMessage.contains(QStringLiteral("AboutForm")));
    QCOMPARE(DeckCommands(app, true), QStringList());
    QVERIFY(Enabled(app, "UpdateCardDataFile1"));
    QVERIFY(!app.master.isVisible());
    QVERIFY(!app.reader.isVisible());
    QVERIFY(!app.updater.isVisible());
    QVERIFY(!app.about.isVisible());
    QCOMPARE(app.session.db.ProgramDir(), dir.path());
  }

  void aCancelledUpdateEnablesNothing() {
    test::TempDir dir;
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    QTimer::singleShot(0, &app.updater, [&] {
      QTest::mouseClick(app.updater.findChild<QPushButton*>(QStringLiteral("CancelButton")),
                        Qt::LeftButton);
    });
    app.master.updateCardData();
    QCOMPARE(DeckCommands(app, true), QStringList());
  }

  void aCompletedUpdateEnablesTheDeckCommands() {
    test::TempDir dir;
    const std::string cards = dir.Write("cards.txt", kCardList);
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    platform.openAnswers.push_back(QString::fromStdString(cards));
    QTimer::singleShot(0, &app.updater, [&] {
      QTest::mouseClick(app.updater.findChild<QPushButton*>(QStringLiteral("UpdateButton")),
                        Qt::LeftButton);
    });
    app.master.updateCardData();
    QCOMPARE(platform.messages.last(), QStringLiteral("Card Data File Updated"));
    QCOMPARE(DeckCommands(app, false), QStringList());
    QVERIFY(!app.updater.isVisible());
  }

  void startsWithADatabaseAndWiresTheWindows() {
    test::TempDir dir;
    const std::string cards = dir.Write("cards.txt", kCardList);
    {
      test::ScriptedPlatform builder;
      Session session(dir.path());
      UpdaterDialog updater(session, builder);
      builder.openAnswers.push_back(QString::fromStdString(cards));
      updater.updateCardData();
    }
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(DeckCommands(app, false), QStringList{"SaveButton"});

    // "Card Stats" before any deck opens the reader on the first card.
    app.master.show();
    app.master.showCardStats();
    QVERIFY(app.reader.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&app.reader));
    QCOMPARE(app.reader.findChild<QLineEdit*>(QStringLiteral("CardName"))->text(),
             QStringLiteral("Alpha Relay"));

    QTimer::singleShot(0, &app.about, [&] {
      QTest::mouseClick(app.about.findChild<QPushButton*>(QStringLiteral("OKButton")),
                        Qt::LeftButton);
    });
    app.master.showAboutBox();
    QVERIFY(!app.about.isVisible());

    app.master.showHelp();
    QCOMPARE(platform.helpTopics, QStringList{"IDH_110"});
  }

  void closingTheMainWindowEndsTheProgramWhileTheReaderIsOpen() {
    test::TempDir dir;
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    // Only a running event loop ends with its last window.
    QTimer::singleShot(0, &app.master, [&] {
      app.master.show();
      app.reader.show();
      QTimer::singleShot(50, &app.master, [&] { app.master.close(); });
    });
    QTimer::singleShot(5000, qApp, &QCoreApplication::quit);  // in case it does not end
    QApplication::exec();
    QCOMPARE(lastClosed.count(), 1);
  }

  // File > Exit ends the program with every window of it, however many tool
  // windows are open, and a browser left open can edit nothing afterwards.
  void exitClosesEveryWindowAndEndsTheProgram() {
    test::TempDir dir;
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    bool guardFired = false;
    QList<QWidget*> tools;
    QTimer::singleShot(0, &app.master, [&] {
      app.master.show();
      app.master.showDrawOdds();
      app.master.showSampleHand();
      app.master.showBrowser();
      app.reader.show();
      tools = {&app.drawOdds(), &app.sampleHand(), &app.browser(), &app.reader};
      QTimer::singleShot(50, &app.master, [&] {
        app.master.findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
      });
    });
    QTimer guard;  // in case it does not end
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [&] {
      guardFired = true;
      QCoreApplication::quit();
    });
    guard.start(5000);
    QApplication::exec();
    QVERIFY(!guardFired);
    QCOMPARE(tools.size(), 4);
    for (QWidget* window : tools) QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    QVERIFY(!app.master.isVisible());
  }

  // Esc puts the card reader away, as it does a dialog (the panels' keys
  // are the workspace's: workspace_test).
  void theReaderClosesWithEscape() {
    test::TempDir dir;
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    app.master.show();
    app.reader.show();
    app.reader.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.reader));
    QTest::keyClick(&app.reader, Qt::Key_Escape);
    QVERIFY(!app.reader.isVisible());
    QVERIFY(app.master.isVisible());
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(WindowFont());
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
