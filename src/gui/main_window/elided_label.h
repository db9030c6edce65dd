// TElidedLabel: a one-line caption that takes whatever width its layout
// gives it. A text too long for that width is drawn elided with "…" and
// shows whole in the tool tip; the label never asks for more room.
#pragma once

#include <QLabel>

namespace quillet {

class TElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TElidedLabel(QWidget* parent = nullptr);

  void SetText(const QString& text);
  bool Elided() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowToolTip();
};

}  // namespace quillet
