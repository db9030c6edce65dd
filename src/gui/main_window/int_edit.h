// TIntEdit: the read-only integer field in which the main window shows every
// figure. Its text is its only storage, so whatever it shows is what Value()
// reads back: "" for a hidden zero, the decimal value, and a trailing "%" on
// the percentage fields. It takes no keyboard focus and tells the window about
// clicks and double clicks, which open the list of cards behind the figure.
#pragma once

#include <QLineEdit>
#include <cstdint>

namespace quillet {

class TIntEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TIntEdit(QWidget* parent = nullptr);

  // A text that does not hold an integer (the empty text above all) reads 0.
  std::int32_t Value() const;
  void SetValue(std::int32_t value);
  void AddValue(std::int32_t amount);

  bool Percentage() const { return percentage_; }
  void SetPercentage(bool percentage);
  bool ShowZero() const { return showZero_; }
  void SetShowZero(bool showZero);

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QString TextOf(std::int32_t value) const;

  bool percentage_ = false;
  bool showZero_ = false;
};

}  // namespace quillet
