// The about box: the program's name, version, authors, where new versions
// come from, and whose game it serves. Everything in it is static text.
#pragma once

#include <QDialog>

namespace quillet {

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);
};

}  // namespace quillet
