#include "app/help_window.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "gui/platform/qt_platform.h"

using namespace quillet;

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theHelpFileIdNamesTheShippedDocument() {
    QCOMPARE(HelpDocument(kHelpFile), QStringLiteral("qrc:/help/quillet.html"));
    InitShellResources();
    QVERIFY(QFile::exists(QStringLiteral(":/help/quillet.html")));
    QVERIFY(QFile::exists(QStringLiteral(":/app/quillet.png")));
  }

  void thePlatformsHelpOpensTheWindowAtTheTopic() {
    HelpWindow help(kHelpFile);
    QtPlatform platform;
    platform.setHelpHandler([&help](QWidget*, const QString& topic) { help.showTopic(topic); });
    platform.showHelp(nullptr, QStringLiteral("IDH_110"));
    QVERIFY(help.isVisible());
    QVERIFY(!help.isModal());
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(browser);
    QCOMPARE(browser->source().fragment(), QStringLiteral("IDH_110"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Orvane Deck Analyzer")));
    QVERIFY(browser->document()->toHtml().contains(QStringLiteral("IDH_110")));
  }

  // Help is put away from the keyboard, with Esc as a dialog and with
  // Ctrl+W as a document window.
  void closesWithEscapeAndCtrlW() {
    HelpWindow help(kHelpFile);
    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
      help.showTopic(QStringLiteral("IDH_110"));
      QVERIFY(QTest::qWaitForWindowActive(&help));
      QTest::keyClick(help.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser")), key.key(),
                      key.keyboardModifiers());
      QVERIFY(!help.isVisible());
    }
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
