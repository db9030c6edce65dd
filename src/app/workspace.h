// The workspace: the main window in the middle and the tool panels docked
// around it. Each panel has an item of the View menu with its shortcut and a
// check mark; the arrangement is kept in the configuration folder
// (panel_layout.h) when the main window closes and restored at the next
// start; View > Reset Layout brings back the arrangement a new user gets.
#pragma once

#include <QByteArray>
#include <QKeySequence>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace quillet {

class PanelDock;

struct PanelSpec {
  const char* name;  // the dock's component name, kept in the saved layout
  QString caption;   // the View item, with its & mnemonic
  QKeySequence key;  // shows the panel and gives it the focus
  bool openAtFirst;  // open in the arrangement a new user gets
  std::function<QWidget*()> make;
  // In the default arrangement: below the tabbed panels rather than one of
  // their tabs.
  bool below = false;
};

class Workspace : public QObject {
  Q_OBJECT

 public:
  explicit Workspace(QMainWindow& window);
  ~Workspace() override;

  // Adds a panel with its View item. `replaced`, when given, is an existing
  // action of the window's menus that the View item takes the place and the
  // name of.
  PanelDock& addPanel(const PanelSpec& spec, QAction* replaced = nullptr);
  PanelDock* panel(const QString& name) const;
  QAction* viewItem(const QString& name) const;

  // What a panel's shortcut and View item do: a panel that is closed, or
  // open without the focus, is shown with the focus; the panel being worked
  // in is closed.
  void togglePanel(const QString& name);
  // Shows a panel with the focus, whatever its state.
  void showPanel(const QString& name);

  // The arrangement a new user gets: the panels at the right, those marked
  // `below` under the others, each kind tabbed together; the ones marked
  // `openAtFirst` open.
  void resetLayout();
  // The size of the main window that gives the default arrangement room
  // beside the main window's own least size.
  QSize defaultWindowSize() const;
  // Reads the arrangement kept in `configDir` (the default one when none is
  // kept or it cannot be used) and keeps it there from now on.
  void useConfigDir(std::string configDir);
  // Writes the arrangement to the configuration folder; false when it could
  // not be written (the next start then opens the previous one).
  bool save() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    PanelSpec spec;
    PanelDock* dock;
  };
  const Entry* findEntry(const QString& name) const;
  // The heads of the default arrangement's column: the first panel of the
  // tabs at the top and the first of those below them.
  struct Column {
    PanelDock* first = nullptr;
    PanelDock* below = nullptr;
  };
  Column defaultColumn() const;
  // The first window: about four fifths of the screen's free area, centred,
  // large enough for the default arrangement where the screen allows.
  void growForPanels();
  // Keeps the window, frame included, inside the screen's free area.
  void fitFrame();
  // The default arrangement's sizes for the window's present size.
  void sizePanels();
  // The default arrangement, for a first start or a kept one that cannot
  // be used.
  void useDefaultLayout();
  // Restores the kept arrangement into the window as it is now.
  void restoreKept();

  QMainWindow& window_;
  QMenu* view_ = nullptr;
  QAction* panelsEnd_ = nullptr;  // the separator after the panels' items
  QAction* resetItem_ = nullptr;
  std::vector<Entry> panels_;
  std::string configDir_;
  QByteArray kept_;  // the arrangement read from configDir_
  bool restoreOnShow_ = false;
  bool growOnShow_ = false;
  bool sizeOnShow_ = false;
};

}  // namespace quillet
