// FigureField: the read-only integer field in which the main window shows every
// figure. Its text is its only storage, so whatever it shows is what value()
// reads back: "" for a hidden zero, the decimal value, and a trailing "%" on
// the percentage fields. It tells the window about clicks and double clicks,
// which open the list of cards behind the figure, and takes the keyboard
// focus, so that every figure is reached without a mouse: Enter or Space
// asks for the list as a double click does, and the arrow keys, Home and End
// ask to go to another figure of the field's group.
#pragma once

#include <QLineEdit>
#include <cstdint>

namespace quillet {

class FigureField : public QLineEdit {
  Q_OBJECT

 public:
  enum class Step { kPrevious, kNext, kFirst, kLast };

  explicit FigureField(QWidget* parent = nullptr);

  // A text that does not hold an integer (the empty text above all) reads 0.
  std::int32_t value() const;
  void setValue(std::int32_t value);
  void addValue(std::int32_t amount);

  bool percentage() const { return percentage_; }
  void setPercentage(bool percentage);
  bool showZero() const { return showZero_; }
  void setShowZero(bool showZero);

 signals:
  void clicked();
  void doubleClicked();
  void activated();
  void stepped(quillet::FigureField::Step step);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString textOf(std::int32_t value) const;

  bool percentage_ = false;
  bool showZero_ = false;
};

}  // namespace quillet
