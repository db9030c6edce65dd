// NameEdit: the read-only line of the deck's name and of its HQ type. Its
// text stays whole (text() is the full name, and copying copies it all), but
// a name too long for the field is drawn elided with "…" and shows whole in
// the tool tip, above the field's own hint.
#pragma once

#include <QLineEdit>

namespace quillet {

class NameEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit NameEdit(Qt::TextElideMode elide, QWidget* parent = nullptr);

  // The tool tip while the name fits.
  void setHint(const QString& hint);
  bool elided() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect textRoom() const;
  void showToolTip();

  Qt::TextElideMode elide_;
  QString hint_;
};

}  // namespace quillet
