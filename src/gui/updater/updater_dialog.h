// The updater dialog: asks for the card list (cards.txt), then rebuilds the
// card database from it with the corrections and the text option chosen in
// its check boxes. The rebuild itself is UpdateCardData; the dialog only
// gathers the choices, shows the busy cursor and reports the outcome. Its
// check boxes keep their state from one showing to the next within a run.
#pragma once

#include <QDialog>

#include "core/import/card_data_update.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quillet {

struct Session;
class Platform;

class UpdaterDialog : public QDialog {
  Q_OBJECT

 public:
  UpdaterDialog(Session& session, Platform& platform, QWidget* parent = nullptr);

  // Runs the whole update; closes the dialog with OK once it has succeeded.
  void updateCardData();
  UpdateOptions options() const;

 private:
  QCheckBox* addCheck(QWidget* parent, const char* name, const char* text, const char* hint,
                      int row);

  Session& session_;
  Platform& platform_;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* DHQCheck = nullptr;
  QCheckBox* HoloCheck = nullptr;
  QCheckBox* BikerCheck = nullptr;
  QCheckBox* BullCheck = nullptr;
  QCheckBox* JonesCheck = nullptr;
  QCheckBox* RookCheck = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* CardTextCheck = nullptr;
  QPushButton* UpdateButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace quillet
