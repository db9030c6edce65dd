#include "app/help_window.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "desktop/qt_platform.h"

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
    platform.SetHelpHandler([&help](QWidget*, const QString& topic) { help.ShowTopic(topic); });
    platform.ShowHelp(nullptr, QStringLiteral("IDH_110"));
    QVERIFY(help.isVisible());
    QVERIFY(!help.isModal());
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(browser);
    QCOMPARE(browser->source().fragment(), QStringLiteral("IDH_110"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Orvane Deck Analyzer")));
    QVERIFY(browser->document()->toHtml().contains(QStringLiteral("IDH_110")));
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
