// The arrangement of the workspace comes back exactly: started, quit and
// started again on one settings folder, as the program starts (the window
// keeper placing the main window, the panels restored once it has its size),
// the first window fits the screen, the docks keep their sizes and the saved
// arrangement stays the same, at
// whatever screen CTest gives the offscreen platform (layout_round_trip in
// CMakeLists.txt runs it at several).
#include <QDockWidget>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/application.h"
#include "core/settings/panel_layout.h"
#include "gui/platform/panel_dock.h"
#include "gui/platform/window_keeper.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

// One run of the program on `config`, up to the moment the player quits.
struct Run {
  explicit Run(const test::TempDir& config) : keeper(config.path()), app(data.path(), platform) {
    app.useConfigDir(config.path());
    app.master.show();
    if (!QTest::qWaitForWindowExposed(&app.master)) qFatal("the main window never showed");
    QTest::qWait(20);  // the restore waits for the window's size
  }
  PanelDock& panel(const char* name) const {
    return *app.workspace.panel(QString::fromLatin1(name));
  }
  // Every open dock's size, by name.
  QMap<QString, QSize> docks() const {
    QMap<QString, QSize> sizes;
    for (auto* dock : app.master.findChildren<PanelDock*>()) {
      if (!dock->isHidden()) sizes[dock->objectName()] = dock->size();
    }
    return sizes;
  }
  std::string quit() {
    app.master.close();
    return LoadPanelLayout(configPath);
  }

  std::string configPath;
  test::TempDir data;
  test::ScriptedPlatform platform;
  WindowKeeper keeper;
  Application app;
};

bool Near(const QMap<QString, QSize>& a, const QMap<QString, QSize>& b) {
  if (a.keys() != b.keys()) return false;
  for (auto it = a.begin(); it != a.end(); ++it) {
    const QSize other = b.value(it.key());
    if (std::abs(it->width() - other.width()) > 2 || std::abs(it->height() - other.height()) > 2) {
      qWarning() << it.key() << *it << "came back as" << other;
      return false;
    }
  }
  return true;
}

}  // namespace

class LayoutRoundTripTest : public QObject {
  Q_OBJECT

 private slots:
  // Three starts in a row, quitting at once: nothing shrinks, and the
  // second and third quit save the same bytes.
  void theDefaultArrangementSurvivesQuittingAtOnce() {
    test::TempDir config;
    QMap<QString, QSize> first;
    std::string saved;
    for (int start = 0; start < 3; ++start) {
      Run run(config);
      run.configPath = config.path();
      const QMap<QString, QSize> docks = run.docks();
      QVERIFY(!docks.isEmpty());
      if (start == 0) {
        first = docks;
        // The first window fits the screen's free area, frame included,
        // centred; on a large screen it takes most of it.
        const QRect free = run.app.master.screen()->availableGeometry();
        const QRect outer = run.app.master.frameGeometry();
        QVERIFY2(free.contains(outer), qPrintable(QStringLiteral("%1x%2 at %3,%4")
                                                      .arg(outer.width())
                                                      .arg(outer.height())
                                                      .arg(outer.x())
                                                      .arg(outer.y())));
        QVERIFY(std::abs(outer.center().x() - free.center().x()) <= 1);
        QVERIFY(std::abs(outer.center().y() - free.center().y()) <= 1);
        if (free.width() >= 1600) QVERIFY(outer.width() * 4 >= free.width() * 3);
      }
      QVERIFY2(Near(first, docks), qPrintable(QStringLiteral("start %1").arg(start + 1)));
      const std::string now = run.quit();
      QVERIFY(!now.empty());
      if (start > 1) QVERIFY2(now == saved, qPrintable(QStringLiteral("start %1").arg(start + 1)));
      saved = now;
    }
  }

  // What the player arranged (a wider Deck panel, Charts docked at the
  // bottom, a floating panel) comes back as left, with the form at its top
  // and the floating panel above the main window.
  void anArrangementOfThePlayersComesBackAsLeft() {
    test::TempDir config;
    QMap<QString, QSize> left;
    {
      Run run(config);
      run.configPath = config.path();
      PanelDock& deck = run.panel("DeckPanel");
      const int wider = deck.width() + run.app.master.width() / 10;
      run.app.master.resizeDocks({&deck}, {wider}, Qt::Horizontal);
      run.app.master.addDockWidget(Qt::BottomDockWidgetArea, &run.panel("ChartsPanel"));
      run.app.workspace.showPanel(QStringLiteral("ChartsPanel"));
      run.app.workspace.showPanel(QStringLiteral("SampleHandPanel"));
      run.panel("SampleHandPanel").setFloating(true);
      QTest::qWait(20);
      left = run.docks();
      QVERIFY(std::abs(left.value(QStringLiteral("DeckPanel")).width() - wider) <= 2);
      run.quit();
    }
    for (int start = 0; start < 2; ++start) {
      Run run(config);
      run.configPath = config.path();
      QVERIFY(Near(left, run.docks()));
      QVERIFY(run.panel("SampleHandPanel").isFloating());
      auto* form = qobject_cast<QScrollArea*>(run.app.master.centralWidget());
      QVERIFY(form);
      QCOMPARE(form->verticalScrollBar()->value(), 0);
      QCOMPARE(form->horizontalScrollBar()->value(), 0);
      run.quit();
    }
  }
};

QTEST_MAIN(LayoutRoundTripTest)
#include "layout_round_trip_test.moc"
