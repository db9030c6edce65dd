// CardListBox: the main window's card list. A list box of 13-pixel lines
// without a horizontal scroll bar that reports releases, pointer movement and
// double clicks anywhere on it, and shows its own tool tip only while the
// window has set one (the hint for a line too wide to read). From the
// keyboard, Enter asks for the selected card's reader and Ctrl+C for a copy
// of its name, which the window makes as the menu's Copy does.
#pragma once

#include <QListWidget>
#include <QStringList>

namespace quillet {

class CardListBox : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 13;

  explicit CardListBox(QWidget* parent = nullptr);

  QStringList lines() const;
  // Replaces the lines, dropping the selection, without reporting it as a
  // selection change by the user.
  void setLines(const QStringList& lines);
  // The selected line, or -1.
  int selectedRow() const;
  // Selects `row` (or nothing for -1) without reporting a selection change.
  void selectQuietly(int row);

 signals:
  void mouseUp(const QPoint& position, Qt::MouseButton button);
  void mouseMoved(const QPoint& position);
  void doubleClicked();
  void enterPressed();
  void copyPressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
};

}  // namespace quillet
