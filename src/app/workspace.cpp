#include "app/workspace.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <exception>

#include "core/settings/panel_layout.h"
#include "gui/platform/panel_dock.h"

namespace quillet {
namespace {

// Bumped when the panels change so much that an old arrangement no longer
// fits: restoreState refuses another version and the default is used.
constexpr int kLayoutVersion = 1;
// The right-hand column of the default arrangement: room for the Deck
// panel's four columns beside the main window on a 1280-pixel screen.
constexpr int kPanelWidth = 440;
// The width at which the main window shows every sub-type row whole; on a
// wider window the panel column gets the rest, which the card list would
// only leave empty.
constexpr int kMainWidth = 1290;

}  // namespace

Workspace::Workspace(QMainWindow& window) : QObject(&window), window_(window) {
  window_.setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks |
                         QMainWindow::AllowTabbedDocks);
  window_.setDockNestingEnabled(true);
  view_ = window_.menuBar()->findChild<QMenu*>(QStringLiteral("View1"));
  if (!view_) {
    view_ = window_.menuBar()->addMenu(QStringLiteral("&View"));
    view_->setObjectName(QStringLiteral("View1"));
  }
  panelsEnd_ = view_->addSeparator();
  panelsEnd_->setObjectName(QStringLiteral("PanelsEnd"));
  resetItem_ = view_->addAction(QStringLiteral("&Reset Layout"));
  resetItem_->setObjectName(QStringLiteral("ResetLayout1"));
  connect(resetItem_, &QAction::triggered, this, &Workspace::resetLayout);
  // The arrangement is kept as the user left it, before the main window's
  // close puts the floating panels away.
  window_.installEventFilter(this);
}

Workspace::~Workspace() = default;

PanelDock& Workspace::addPanel(const PanelSpec& spec, QAction* replaced) {
  auto* dock = new PanelDock(QString::fromLatin1(spec.name),
                             QString(spec.caption).remove(QLatin1Char('&')), spec.make, &window_);
  dock->setAccessibleName(dock->windowTitle());
  dock->hide();
  window_.addDockWidget(Qt::RightDockWidgetArea, dock);
  dock->hide();
  // The View item is the dock's own toggle, whose check mark the dock keeps
  // in step with whether it is open (a panel behind another's tab counts).
  QAction* item = dock->toggleViewAction();
  dock->setToggleCaption(spec.caption);
  item->setObjectName(replaced ? replaced->objectName()
                               : QString::fromLatin1(spec.name) + QStringLiteral("1"));
  if (!spec.key.isEmpty()) item->setShortcut(spec.key);
  // Shortcuts reach the panel from every panel, floating ones included.
  item->setShortcutContext(Qt::ApplicationShortcut);
  view_->insertAction(panelsEnd_, item);
  // The menu item the window had for the panel gives way, name and all.
  delete replaced;
  // The dock's toggle would only open or close; the item gives the focus to
  // an open panel that lacks it, and closes only the panel being worked in.
  item->disconnect(dock);
  const QString name = dock->objectName();
  connect(item, &QAction::triggered, this, [this, name] { togglePanel(name); });
  panels_.push_back({spec, dock});
  return *dock;
}

const Workspace::Entry* Workspace::findEntry(const QString& name) const {
  for (const Entry& entry : panels_) {
    if (entry.dock->objectName() == name) return &entry;
  }
  return nullptr;
}

PanelDock* Workspace::panel(const QString& name) const {
  const Entry* entry = findEntry(name);
  return entry ? entry->dock : nullptr;
}

QAction* Workspace::viewItem(const QString& name) const {
  const Entry* entry = findEntry(name);
  return entry ? entry->dock->toggleViewAction() : nullptr;
}

void Workspace::togglePanel(const QString& name) {
  const Entry* entry = findEntry(name);
  if (!entry) return;
  PanelDock& dock = *entry->dock;
  if (!dock.isHidden() && dock.hasFocusInside()) {
    dock.close();
  } else {
    dock.showAndFocus();
  }
  // The trigger has flipped the mark already, also for a panel that stays
  // open and only takes the focus.
  dock.toggleViewAction()->setChecked(!dock.isHidden());
}

void Workspace::showPanel(const QString& name) {
  const Entry* entry = findEntry(name);
  if (!entry) return;
  entry->dock->showAndFocus();
}

Workspace::Column Workspace::defaultColumn() const {
  Column column;
  for (const Entry& entry : panels_) {
    PanelDock*& head = entry.spec.below ? column.below : column.first;
    if (!head) head = entry.dock;
  }
  return column;
}

void Workspace::resetLayout() {
  const auto [first, below] = defaultColumn();
  for (const Entry& entry : panels_) {
    entry.dock->setFloating(false);
    window_.addDockWidget(Qt::RightDockWidgetArea, entry.dock);
  }
  // Split before tabbing: a panel split from one that has tabs would only
  // become another tab.
  if (first && below) window_.splitDockWidget(first, below, Qt::Vertical);
  for (const Entry& entry : panels_) {
    if (entry.dock == first || entry.dock == below) continue;
    window_.tabifyDockWidget(entry.spec.below ? below : first, entry.dock);
  }
  for (const Entry& entry : panels_) entry.dock->setVisible(entry.spec.openAtFirst);
  if (first) first->raise();
  // The sizes follow the window's; a window not shown yet has none.
  if (window_.isVisible()) {
    sizePanels();
  } else {
    sizeOnShow_ = true;
  }
}

void Workspace::sizePanels() {
  const auto [first, below] = defaultColumn();
  if (!first) return;
  window_.resizeDocks({first}, {std::max(kPanelWidth, window_.width() - kMainWidth)},
                      Qt::Horizontal);
  if (below) window_.resizeDocks({first, below}, {3, 2}, Qt::Vertical);
}

QSize Workspace::defaultWindowSize() const {
  // The window's least size is the main form's; the panel column and its
  // splitter come beside it, and the Card panel wants some height below the
  // Deck panel. A screen too small for it gets what fits (the window keeper
  // sees to it).
  const QSize least = window_.minimumSize();
  return {least.width() + kPanelWidth + 8, std::max(least.height(), 760)};
}

void Workspace::growForPanels() {
  const QScreen* screen = window_.screen();
  if (!screen) return;
  const QRect free = screen->availableGeometry();
  // A first window takes about four fifths of the screen's free area, and
  // at least the room of the default arrangement where the screen has it.
  const QSize share(free.width() * 4 / 5, free.height() * 4 / 5);
  QRect place(QPoint(), share.expandedTo(defaultWindowSize()).boundedTo(free.size()));
  place.moveCenter(free.center());
  window_.setGeometry(place);
  // The frame is the window manager's, known only once the window is on
  // the screen: fitted again then, and once more should it come late.
  QTimer::singleShot(0, this, &Workspace::fitFrame);
  QTimer::singleShot(250, this, &Workspace::fitFrame);
}

void Workspace::fitFrame() {
  const QScreen* screen = window_.screen();
  if (!screen || !window_.isVisible() || window_.isMaximized() || window_.isFullScreen()) return;
  const QRect inner = window_.geometry();
  const QRect outer = window_.frameGeometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  const QRect area = screen->availableGeometry().marginsRemoved(frame);
  QRect place(QPoint(), inner.size().boundedTo(area.size()).expandedTo(window_.minimumSize()));
  place.moveCenter(area.center());
  // A window that cannot be as small as the area keeps its title bar and
  // first controls in reach.
  place.moveTopLeft({std::max(place.left(), area.left()), std::max(place.top(), area.top())});
  if (place != inner) window_.setGeometry(place);
}

void Workspace::useConfigDir(std::string configDir) {
  configDir_ = std::move(configDir);
  const std::string kept = LoadPanelLayout(configDir_);
  kept_ = QByteArray(kept.data(), static_cast<qsizetype>(kept.size()));
  if (kept_.isEmpty()) {
    useDefaultLayout();
  } else if (window_.isVisible()) {
    restoreKept();
  } else {
    // The docks' sizes are kept for the window they were left in: restored
    // into a window that has not yet its size on the screen, they would be
    // squeezed into the size it has now, and saved so at the next quit.
    restoreOnShow_ = true;
    sizeOnShow_ = false;
  }
}

void Workspace::useDefaultLayout() {
  resetLayout();
  // The first start with panels: a main window kept from before them (the
  // classic form's size) would leave the panels no room.
  growOnShow_ = true;
}

void Workspace::restoreKept() {
  restoreOnShow_ = false;
  if (!window_.restoreState(kept_, kLayoutVersion)) {
    // The window is on the screen already: the default arrangement, grown
    // for now rather than at a show to come.
    resetLayout();
    growForPanels();
    return;
  }
  sizeOnShow_ = false;
  for (const Entry& entry : panels_) {
    // A floating panel comes back above the main window, not behind it.
    if (entry.dock->isFloating() && !entry.dock->isHidden()) entry.dock->raise();
  }
  // The form opens at its top, whatever the docks left it.
  if (auto* form = qobject_cast<QAbstractScrollArea*>(window_.centralWidget())) {
    form->horizontalScrollBar()->setValue(0);
    form->verticalScrollBar()->setValue(0);
  }
}

bool Workspace::save() const {
  if (configDir_.empty()) return true;
  // Closed before the kept arrangement came back: it stays as it was.
  const QByteArray state = restoreOnShow_ ? kept_ : window_.saveState(kLayoutVersion);
  try {
    SavePanelLayout(configDir_, std::string_view(state.constData(), state.size()));
    return true;
  } catch (const std::exception&) {
    // The arrangement is a convenience; a full disk must not stop the
    // program from closing.
    return false;
  }
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::Close) save();
  if (event->type() == QEvent::Show && growOnShow_) {
    // After the window keeper has placed the window: the application's
    // filters run before the window's own.
    growOnShow_ = false;
    growForPanels();
  }
  if (event->type() == QEvent::Show && restoreOnShow_) {
    // Once the window keeper has given the window its kept size and the
    // window is laid out in it.
    QTimer::singleShot(0, this, [this] {
      if (restoreOnShow_) restoreKept();
    });
  }
  if (event->type() == QEvent::Show && sizeOnShow_) {
    sizeOnShow_ = false;
    // Once the window has its size on the screen.
    QTimer::singleShot(0, this, &Workspace::sizePanels);
  }
  // The tab bars of tabbed panels are the toolkit's, made as panels are
  // tabbed together; a screen reader gets a name for them once they are
  // whole, and they show the panels' names whole ("D…" tells nothing),
  // scrolling when the dock is too narrow for every tab.
  if (event->type() == QEvent::ChildAdded) {
    QPointer<QObject> child = static_cast<QChildEvent*>(event)->child();
    QTimer::singleShot(0, this, [child] {
      if (auto* tabs = qobject_cast<QTabBar*>(child.data())) {
        tabs->setAccessibleName(QStringLiteral("Panels"));
        tabs->setElideMode(Qt::ElideNone);
        tabs->setUsesScrollButtons(true);
      }
    });
  }

  return QObject::eventFilter(watched, event);
}

}  // namespace quillet
