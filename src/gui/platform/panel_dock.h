// A panel of the workspace: a dock of the main window whose content is made
// when the panel is first shown, so a panel that stays closed costs the
// start-up nothing. The dock keeps its component name for the saved layout
// and takes its title from its content. Docked, it belongs to the main
// window's keyboard; floating, Esc puts it away as it does a dialog.
#pragma once

#include <QDockWidget>
#include <functional>

namespace quillet {

class PanelDock : public QDockWidget {
  Q_OBJECT

 public:
  // `make` builds the content (parented later to the dock); it runs once.
  PanelDock(const QString& name, const QString& title, std::function<QWidget*()> make,
            QWidget* parent = nullptr);

  // The content, made now if the panel was never shown.
  QWidget* ensureContent();
  bool hasContent() const { return content_ != nullptr; }
  // Shows the panel, brings its tab to the front and gives it the focus.
  void showAndFocus();
  // Whether the keyboard focus is inside the panel.
  bool hasFocusInside() const;
  // Gives the dock's toggle action, a menu's item for the panel, a caption of
  // its own (with its & mnemonic) in place of the dock's title, which
  // follows the content ("Draw Odds - AT").
  void setToggleCaption(const QString& caption);

 signals:
  void contentMade(QWidget* content);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void followFloating(bool floating);

  std::function<QWidget*()> make_;
  QString title_;
  QString toggleCaption_;
  QWidget* content_ = nullptr;
};

// Brings `widget` before the user: its own window when it is one, else the
// panel that holds it (shown, its tab in front). The tools call this rather
// than showing themselves, so they work both as windows and as panels.
void BringForward(QWidget& widget);

}  // namespace quillet
