// The workspace of panels around the main window, driven through the real
// application: what a new user sees, what is kept between runs, and the keys.
#include "app/workspace.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabBar>
#include <QTest>

#include "app/application.h"
#include "core/settings/panel_layout.h"
#include "gui/platform/panel_dock.h"
#include "gui/platform/window_font.h"
#include "support/accessibility_walk.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

// The panels a new user finds open.
const char* const kDefaultPanels[] = {"CardPanel", "DeckPanel"};

QStringList DefaultPanels() {
  QStringList names;
  for (const char* name : kDefaultPanels) names << QString::fromLatin1(name);
  return names;
}

struct Program {
  explicit Program(const test::TempDir& config) : app(data.path(), platform) {
    app.useConfigDir(config.path());
    app.master.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.master));
  }
  PanelDock& Panel(const char* name) const {
    PanelDock* panel = app.workspace.panel(QString::fromLatin1(name));
    if (!panel) qFatal("no panel %s", name);
    return *panel;
  }
  QStringList Open() const {
    QStringList open;
    for (auto* panel : app.master.findChildren<PanelDock*>()) {
      if (!panel->isHidden()) open << panel->objectName();
    }
    open.sort();
    return open;
  }
  test::TempDir data;
  test::ScriptedPlatform platform;
  Application app;
};

}  // namespace

class WorkspaceTest : public QObject {
  Q_OBJECT

 private slots:
  // A new user gets the default panels docked at the right, and nothing of a
  // closed panel is built until it is first shown.
  void aNewUserGetsTheDefaultLayoutAndClosedPanelsCostNothing() {
    test::TempDir config;
    Program program(config);
    QCOMPARE(program.Open(), DefaultPanels());
    for (auto* panel : program.app.master.findChildren<PanelDock*>()) {
      const bool open = !panel->isHidden();
      QCOMPARE(panel->hasContent(), open);
      QCOMPARE(program.app.workspace.viewItem(panel->objectName())->isChecked(), open);
      if (open) {
        QCOMPARE(program.app.master.dockWidgetArea(panel), Qt::RightDockWidgetArea);
        QVERIFY(!panel->isFloating());
      }
    }
  }

  // The View items: each panel with its shortcut, none shared, none a
  // standard key of the desktop, and Reset Layout after them.
  void theViewMenuListsEveryPanelWithItsOwnShortcut() {
    test::TempDir config;
    Program program(config);
    auto* view = program.app.master.findChild<QMenu*>(QStringLiteral("View1"));
    QStringList keys;
    int panels = 0;
    for (QAction* item : view->actions()) {
      if (item->isSeparator() || item->objectName() == QStringLiteral("ResetLayout1")) continue;
      ++panels;
      QVERIFY2(item->isCheckable(), qPrintable(item->text()));
      const QKeySequence key = item->shortcut();
      QVERIFY2(!key.isEmpty(), qPrintable(item->text()));
      QVERIFY2(!keys.contains(key.toString()), qPrintable(key.toString()));
      keys << key.toString();
      for (const auto standard :
           {QKeySequence::Open, QKeySequence::Save, QKeySequence::New, QKeySequence::Close,
            QKeySequence::Quit, QKeySequence::Print, QKeySequence::Copy, QKeySequence::Paste,
            QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Find,
            QKeySequence::SelectAll, QKeySequence::Refresh, QKeySequence::HelpContents}) {
        QVERIFY2(!QKeySequence::keyBindings(standard).contains(key), qPrintable(key.toString()));
      }
    }
    // Nor a key of another menu item.
    for (QAction* other : program.app.master.findChildren<QAction*>()) {
      if (other->shortcut().isEmpty() || view->actions().contains(other)) continue;
      QVERIFY2(!keys.contains(other->shortcut().toString()), qPrintable(other->text()));
    }
    QCOMPARE(panels, program.app.master.findChildren<PanelDock*>().size());
    QCOMPARE(keys.filter(QStringLiteral("Ctrl+B")).size(), 1);
    QCOMPARE(keys.filter(QStringLiteral("Ctrl+G")).size(), 1);
    QCOMPARE(view->actions().last()->objectName(), QStringLiteral("ResetLayout1"));
  }

  // The View items are the panels' own toggles, the Charts item of the main
  // window's View menu included, and keep their captions while a panel's
  // title follows its content.
  void theViewItemsAreThePanelsTogglesWithTheirCaptions() {
    test::TempDir config;
    Program program(config);
    for (auto* panel : program.app.master.findChildren<PanelDock*>()) {
      QAction* item = program.app.workspace.viewItem(panel->objectName());
      QCOMPARE(item, panel->toggleViewAction());
      const QString caption = item->text();
      QVERIFY2(caption.contains(QLatin1Char('&')), qPrintable(caption));
      panel->ensureContent()->setWindowTitle(QStringLiteral("Another title"));
      QCOMPARE(panel->windowTitle(), QStringLiteral("Another title"));
      QCOMPARE(item->text(), caption);
    }
    const auto charts = program.app.master.findChildren<QAction*>(QStringLiteral("Charts1"));
    QCOMPARE(charts.size(), 1);
    QCOMPARE(charts.front(), program.Panel("ChartsPanel").toggleViewAction());
  }

  // A screen reader can name every control that takes the focus, in the
  // main window and in every panel.
  void everyFocusableControlHasAName() {
    test::TempDir config;
    Program program(config);
    for (auto* panel : program.app.master.findChildren<PanelDock*>()) {
      program.app.workspace.showPanel(panel->objectName());
    }
    QCoreApplication::processEvents();
    QCOMPARE(test::UnnamedFocusableControls(program.app.master), QStringList());
  }

  // A panel's key shows it with the focus; the same key in the panel being
  // worked in closes it.
  void thePanelKeyShowsAndFocusesThenCloses() {
    test::TempDir config;
    Program program(config);
    // Every panel, open or not, and one with nothing to focus (the Card
    // panel without a card) among them.
    for (auto* panel : program.app.master.findChildren<PanelDock*>()) {
      const QByteArray name = panel->objectName().toLatin1();
      QAction* item = program.app.workspace.viewItem(panel->objectName());
      item->trigger();
      QVERIFY2(panel->isVisible() && item->isChecked(), name.constData());
      QVERIFY2(panel->hasFocusInside(), name.constData());
      item->trigger();
      QVERIFY2(panel->isHidden() && !item->isChecked(), name.constData());
    }
  }

  // What the user arranged comes back at the next start; Reset Layout
  // brings back the default; a kept layout the toolkit cannot read gives
  // the default too.
  void theArrangementIsKeptAndCanBeReset() {
    test::TempDir config;
    {
      Program program(config);
      program.app.workspace.showPanel(QStringLiteral("SampleHandPanel"));
      program.Panel("SampleHandPanel").setFloating(true);
      program.app.master.addDockWidget(Qt::LeftDockWidgetArea, &program.Panel("ChartsPanel"));
      program.app.workspace.showPanel(QStringLiteral("ChartsPanel"));
      program.Panel(kDefaultPanels[0]).close();
      program.app.master.close();  // File > Exit and the close button
      QVERIFY(!LoadPanelLayout(config.path()).empty());
    }
    {
      Program program(config);
      QStringList expected = QStringList{"ChartsPanel", "SampleHandPanel"} + DefaultPanels();
      expected.removeAll(QString::fromLatin1(kDefaultPanels[0]));
      expected.sort();
      QCOMPARE(program.Open(), expected);
      QVERIFY(program.Panel("SampleHandPanel").isFloating());
      QCOMPARE(program.app.master.dockWidgetArea(&program.Panel("ChartsPanel")),
               Qt::LeftDockWidgetArea);
      program.app.master.findChild<QAction*>(QStringLiteral("ResetLayout1"))->trigger();
      QCOMPARE(program.Open(), DefaultPanels());
      QVERIFY(!program.Panel("SampleHandPanel").isFloating());
      QCOMPARE(program.app.master.dockWidgetArea(&program.Panel("ChartsPanel")),
               Qt::RightDockWidgetArea);
    }
    config.Write("panel-layout", "not a layout");
    Program program(config);
    QCOMPARE(program.Open(), DefaultPanels());
  }

  // A panel floated out of its dock takes the room its controls ask for,
  // not the height the dock happened to give it.
  void aFloatedPanelTakesItsOwnSize() {
    test::TempDir config;
    Program program(config);
    for (const char* name : {"SampleHandPanel", "DrawOddsPanel", "ComparePanel"}) {
      program.app.workspace.showPanel(QString::fromLatin1(name));
      PanelDock& panel = program.Panel(name);
      program.app.master.resizeDocks({&panel}, {120}, Qt::Vertical);
      panel.setFloating(true);
      QTest::qWait(10);
      const QSize wanted = panel.sizeHint();
      QVERIFY2(panel.width() >= wanted.width() && panel.height() >= wanted.height(),
               qPrintable(QStringLiteral("%1: %2x%3 for %4x%5")
                              .arg(QString::fromLatin1(name))
                              .arg(panel.width())
                              .arg(panel.height())
                              .arg(wanted.width())
                              .arg(wanted.height())));
    }
  }

  // With every panel open in the default arrangement and the column at its
  // narrowest, each tab shows its panel's name whole, its title's.
  void tabsShowWholeNames() {
    test::TempDir config;
    Program program(config);
    for (auto* panel : program.app.master.findChildren<PanelDock*>()) {
      program.app.workspace.showPanel(panel->objectName());
    }
    // As narrow as a dock may be: the bar scrolls rather than cut names.
    program.app.master.resizeDocks({&program.Panel("DeckPanel")}, {320}, Qt::Horizontal);
    QTest::qWait(20);
    int tabs = 0;
    for (auto* bar : program.app.master.findChildren<QTabBar*>()) {
      // The docks' own bars, not the tabs inside a panel.
      if (!bar->isVisible() || bar->parentWidget() != &program.app.master) continue;
      for (int i = 0; i < bar->count(); ++i) {
        ++tabs;
        const QString text = bar->tabText(i);
        QVERIFY2(bar->tabRect(i).width() > bar->fontMetrics().horizontalAdvance(text),
                 qPrintable(text));
        bool named = false;
        for (auto* dock : program.app.master.findChildren<PanelDock*>()) {
          named = named || dock->windowTitle() == text;
        }
        QVERIFY2(named, qPrintable(text));
      }
    }
    QVERIFY(tabs >= 5);
  }

  // Esc puts away a floating panel, as it does a dialog, and hands the focus
  // back to the main window; it does nothing to a docked one, whose key
  // would otherwise reach the whole main window.
  void escapeClosesAFloatingPanelOnly() {
    test::TempDir config;
    Program program(config);
    for (auto* panel : program.app.master.findChildren<PanelDock*>()) {
      program.app.workspace.showPanel(panel->objectName());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      QVERIFY2(panel->isVisible(), qPrintable(panel->objectName()));
      panel->setFloating(true);
      program.app.workspace.showPanel(panel->objectName());
      // A floating panel is a tool window, which counts as active with its
      // main window; the key goes to the panel's own window.
      QApplication::setActiveWindow(panel);
      // A panel with nothing to take the focus (the Card panel without a
      // card) takes it itself.
      QVERIFY2(panel->hasFocusInside(), qPrintable(panel->objectName()));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      QVERIFY2(panel->isHidden(), qPrintable(panel->objectName()));
      // The focus goes back to the main window.
      QTRY_COMPARE(QApplication::activeWindow(), &program.app.master);
    }
    QVERIFY(program.app.master.isVisible());
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(WindowFont());
  WorkspaceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "workspace_test.moc"
