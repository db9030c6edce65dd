// The about box: the program's name, version, authors, where new versions
// come from, where this user's data files are, and whose game it serves.
#pragma once

#include <QDialog>

namespace quillet {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  // `dataFolder` is shown on its own line, selectable, so a user can find (and
  // copy) where the database and ZNUTILS.INI are.
  explicit AboutDialog(const QString& dataFolder = {}, QWidget* parent = nullptr);
};

}  // namespace quillet
