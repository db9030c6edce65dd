#include "gui/updater/updater_dialog.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/analysis/session.h"
#include "core/card_data/data_journal.h"
#include "core/card_data/io_error.h"
#include "gui/platform/centre_window.h"
#include "gui/platform/platform.h"

namespace quillet {

UpdaterDialog::UpdaterDialog(Session& session, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      session_(session),
      platform_(platform) {
  setObjectName(QStringLiteral("UpdaterForm"));
  setWindowTitle(QStringLiteral("Update Card Data File"));
  setFixedSize(404, 214);

  Label1 = new QLabel(
      QStringLiteral("Press Update to update/create card info file (Cardstat.dat). You "), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(10, 8, 386, 16);
  Label2 =
      new QLabel(QStringLiteral("must have the output of OVList.exe (cards.txt) available."), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(10, 24, 386, 16);

  GroupBox1 = new QGroupBox(QStringLiteral("Corrections"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(8, 48, 200, 158);
  DHQCheck = addCheck(GroupBox1, "DHQCheck", "Fix Distributed HQ",
                      "Check to fix Distributed HQ's resource production", 0);
  HoloCheck =
      addCheck(GroupBox1, "HoloCheck", "Fix Hologram", "Check to Fix Hologram's search cost", 1);
  BikerCheck = addCheck(GroupBox1, "BikerCheck", "Fix Los Ladrones Biker",
                        "Check to correct Los Ladrones Biker's firepower", 2);
  BullCheck = addCheck(GroupBox1, "BullCheck", "Fix Harness Bull",
                       "Check to correct Harness Bull's firepower and armor", 3);
  JonesCheck = addCheck(GroupBox1, "JonesCheck", "Fix Wirehead Jones",
                        "Check to correct Wirehead Jone's perception", 4);
  RookCheck = addCheck(GroupBox1, "RookCheck", "Fix Rook Class Assault Chassis",
                       "Check to correct Rook Class Assault Chasis' firepower and armor", 5);

  GroupBox2 = new QGroupBox(QStringLiteral("Options"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(216, 48, 180, 50);
  CardTextCheck = addCheck(
      GroupBox2, "CardTextCheck", "Include card text",
      "If you check this box a second file (Cardtext.dat) will be created. If it is unchecked, "
      "the card reader will not display card texts.",
      0);

  UpdateButton = new QPushButton(QStringLiteral("Update"), this);
  UpdateButton->setObjectName(QStringLiteral("UpdateButton"));
  UpdateButton->setGeometry(230, 112, 75, 25);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  CancelButton->setGeometry(311, 112, 75, 25);

  // The Update button leads the tab order and takes Enter.
  setTabOrder(UpdateButton, CancelButton);
  setTabOrder(CancelButton, DHQCheck);
  setTabOrder(DHQCheck, HoloCheck);
  setTabOrder(HoloCheck, BikerCheck);
  setTabOrder(BikerCheck, BullCheck);
  setTabOrder(BullCheck, JonesCheck);
  setTabOrder(JonesCheck, RookCheck);
  setTabOrder(RookCheck, CardTextCheck);
  UpdateButton->setDefault(true);
  UpdateButton->setFocus();

  connect(UpdateButton, &QPushButton::clicked, this, &UpdaterDialog::updateCardData);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  CentreOnScreen(*this);
}

QCheckBox* UpdaterDialog::addCheck(QWidget* parent, const char* name, const char* text,
                                   const char* hint, int row) {
  auto* check = new QCheckBox(QString::fromLatin1(text), parent);
  check->setObjectName(QString::fromLatin1(name));
  check->setToolTip(QString::fromLatin1(hint));
  check->setChecked(true);
  check->setGeometry(10, 20 + 22 * row, parent->width() - 16, 20);
  return check;
}

UpdateOptions UpdaterDialog::options() const {
  UpdateOptions options;
  options.DHQCheck = DHQCheck->isChecked();
  options.HoloCheck = HoloCheck->isChecked();
  options.BikerCheck = BikerCheck->isChecked();
  options.BullCheck = BullCheck->isChecked();
  options.JonesCheck = JonesCheck->isChecked();
  options.RookCheck = RookCheck->isChecked();
  options.CardTextCheck = CardTextCheck->isChecked();
  return options;
}

void UpdaterDialog::updateCardData() {
  FileDialogOptions dialog;  // OpenDialog1
  dialog.title = QStringLiteral("Please Locate Cards.Txt");
  dialog.filter = QStringLiteral("Text Files|*.txt");
  dialog.fileName = QStringLiteral("*.txt");
  const std::optional<QString> cardsFileName = platform_.getOpenFileName(this, dialog);
  if (!cardsFileName || cardsFileName->isEmpty()) return;  // the updater stays open

  // A foreign journal the update moved out of the way is said as well.
  std::string moved;
  const JournalNotice previous =
      SetJournalNotice([&moved](const std::string& message) { moved = message; });
  try {
    BusyCursor busy(platform_);
    UpdateCardData(session_.db, QFile::encodeName(*cardsFileName).toStdString(), options());
  } catch (const std::exception& e) {
    SetJournalNotice(previous);
    if (!moved.empty()) platform_.showMessage(this, QString::fromLocal8Bit(moved));
    // An I/O failure or a list refused: the previous data files are
    // untouched; the user may fix the cause and press Update again.
    platform_.showMessage(this, QString::fromLocal8Bit(e.what()));
    return;
  }
  SetJournalNotice(previous);
  if (!moved.empty()) platform_.showMessage(this, QString::fromLocal8Bit(moved));
  platform_.showMessage(this, QStringLiteral("Card Data File Updated"));
  accept();
}

}  // namespace quillet
