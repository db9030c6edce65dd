// ElidedLabel: a one-line caption that takes whatever width its layout
// gives it. A text too long for that width is drawn elided with "…" and
// shows whole in the tool tip; the label never asks for more room.
#pragma once

#include <QLabel>

namespace quillet {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  void showText(const QString& text);
  bool elided() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showToolTip();
};

}  // namespace quillet
