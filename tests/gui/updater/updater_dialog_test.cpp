#include "gui/updater/updater_dialog.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/analysis/session.h"
#include "core/card_data/card_database.h"
#include "gui/platform/window_font.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

// One asset line of the card list that the Harness Bull correction changes:
// the list gives firepower 5 and armor 6.
const char kCardList[] =
    "Alpha Relay\tBase\tC\tBase\t\t\t\t\t\t\tMilitary 2/-1 \t\t\t\tUN\t\tRelays power.\n"
    "Harness "
    "Bull\tBase\tU\tAsset\t3\t5\t6\t1\t2\t0\t1/0/0\t1/0/0\t0/0/0\t0/0/0\tMech.\t\tCharges.\n";

}  // namespace

class UpdaterDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<Session> session_;
  test::ScriptedPlatform platform_;
  std::unique_ptr<UpdaterDialog> form_;
  std::string cards_;

  template <typename T>
  T* Child(const char* name) {
    auto* child = form_->findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return child;
  }
  void Update() { QTest::mouseClick(Child<QPushButton>("UpdateButton"), Qt::LeftButton); }
  std::string Stat() { return test::TempDir::Read(dir_->File("CardStat.Dat")); }
  // Firepower and armor of "Harness Bull" in the database just built.
  std::string BullStats() {
    CardDatabase db(dir_->path());
    if (!db.LookupCard("Harness Bull")) return "missing";
    return db.CurrentCard.Firepower.Str() + "/" + db.CurrentCard.Armor.Str();
  }

 private slots:
  void init() {
    dir_ = std::make_unique<test::TempDir>();
    cards_ = dir_->Write("cards.txt", kCardList);
    session_ = std::make_unique<Session>(dir_->path());
    platform_ = test::ScriptedPlatform();
    form_ = std::make_unique<UpdaterDialog>(*session_, platform_);
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void dialogLayout() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Update Card Data File"));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(!(form_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(form_->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(Child<QLabel>("Label1")->text(),
             QStringLiteral("Press Update to update/create card info file (Cardstat.dat). You "));
    QCOMPARE(Child<QGroupBox>("GroupBox1")->title(), QStringLiteral("Corrections"));
    QCOMPARE(Child<QGroupBox>("GroupBox2")->title(), QStringLiteral("Options"));
    QStringList corrections;
    int lastY = -1;
    for (const char* name :
         {"DHQCheck", "HoloCheck", "BikerCheck", "BullCheck", "JonesCheck", "RookCheck"}) {
      auto* check = Child<QCheckBox>(name);
      QVERIFY(check->isChecked());
      QCOMPARE(check->parentWidget(), Child<QGroupBox>("GroupBox1"));
      QVERIFY(check->y() > lastY);  // one under another, in this order
      lastY = check->y();
      corrections << check->text();
    }
    QCOMPARE(corrections.last(), QStringLiteral("Fix Rook Class Assault Chassis"));
    QCOMPARE(Child<QCheckBox>("JonesCheck")->toolTip(),
             QStringLiteral("Check to correct Wirehead Jone's perception"));
    QCOMPARE(Child<QCheckBox>("RookCheck")->toolTip(),
             QStringLiteral("Check to correct Rook Class Assault Chasis' firepower and armor"));
    QCOMPARE(Child<QCheckBox>("CardTextCheck")->text(), QStringLiteral("Include card text"));
    QVERIFY(Child<QCheckBox>("CardTextCheck")->isChecked());
    QVERIFY(Child<QPushButton>("UpdateButton")->y() > Child<QGroupBox>("GroupBox2")->y());
    QCOMPARE(form_->focusWidget(), Child<QPushButton>("UpdateButton"));
  }

  void cancellingTheFileDialogChangesNothing() {
    dir_->Write("CardStat.Dat", "old");
    platform_.openAnswers.push_back(std::nullopt);
    form_->show();
    Update();
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->result(), 0);
    QCOMPARE(Stat(), std::string("old"));
    QVERIFY(platform_.messages.isEmpty());
    QCOMPARE(platform_.busyCount, 0);
    QCOMPARE(platform_.openRequests.size(), std::size_t{1});
    QCOMPARE(platform_.openRequests[0].title, QStringLiteral("Please Locate Cards.Txt"));
    QCOMPARE(platform_.openRequests[0].filter, QStringLiteral("Text Files|*.txt"));
    QCOMPARE(platform_.openRequests[0].fileName, QStringLiteral("*.txt"));
  }

  void anUpdateWithCorrectionsBuildsTheDatabaseAndCloses() {
    platform_.openAnswers.push_back(QString::fromStdString(cards_));
    form_->show();
    Update();
    QCOMPARE(platform_.messages, QStringList{"Card Data File Updated"});
    QCOMPARE(form_->result(), int(QDialog::Accepted));
    QVERIFY(!form_->isVisible());
    QCOMPARE(platform_.busyCount, 1);
    QCOMPARE(platform_.busyDepth, 0);
    QCOMPARE(Stat().size(), std::size_t{2 * 116});
    QCOMPARE(BullStats(), std::string("1/1"));
    QCOMPARE(test::TempDir::Read(dir_->File("CardText.Dat")), std::string("Relays power.Charges."));
  }

  void uncheckedBoxesStayUncheckedAndApply() {
    Child<QCheckBox>("BullCheck")->setChecked(false);
    Child<QCheckBox>("CardTextCheck")->setChecked(false);
    dir_->Write("CardText.Dat", "stale");
    platform_.openAnswers.push_back(QString::fromStdString(cards_));
    form_->open();
    Update();
    QCOMPARE(BullStats(), std::string("5/6"));
    QVERIFY(!QFile::exists(QString::fromStdString(dir_->File("CardText.Dat"))));
    QVERIFY(!Child<QCheckBox>("BullCheck")->isChecked());  // for the next showing in this run
    QVERIFY(!options().CardTextCheck);
    QVERIFY(Child<QCheckBox>("DHQCheck")->isChecked());
  }

  void aFailureKeepsTheOldFilesAndTheDialog() {
    dir_->Write("CardStat.Dat", "old stat");
    dir_->Write("CardText.Dat", "old text");
    platform_.openAnswers.push_back(QString::fromStdString(dir_->File("no-such-cards.txt")));
    form_->show();
    Update();
    QCOMPARE(platform_.messages, QStringList{"File not found"});
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->result(), 0);
    QCOMPARE(platform_.busyDepth, 0);
    QCOMPARE(Stat(), std::string("old stat"));
    QCOMPARE(test::TempDir::Read(dir_->File("CardText.Dat")), std::string("old text"));

    // A folder the user may not write to.
    if (::geteuid() != 0) {
      ::chmod(dir_->path().c_str(), 0555);
      platform_.openAnswers.push_back(QString::fromStdString(cards_));
      Update();
      ::chmod(dir_->path().c_str(), 0755);
      QCOMPARE(platform_.messages.last(), QStringLiteral("File access denied"));
      QCOMPARE(Stat(), std::string("old stat"));
    }
    // Once the cause is gone, Update works from the same dialog.
    platform_.openAnswers.push_back(QString::fromStdString(cards_));
    Update();
    QCOMPARE(platform_.messages.last(), QStringLiteral("Card Data File Updated"));
    QCOMPARE(form_->result(), int(QDialog::Accepted));
  }

  void cancelClosesWithCancel() {
    form_->show();
    QTest::mouseClick(Child<QPushButton>("CancelButton"), Qt::LeftButton);
    QVERIFY(!form_->isVisible());
    QCOMPARE(form_->result(), int(QDialog::Rejected));
    QVERIFY(platform_.openRequests.empty());
  }

 private:
  UpdateOptions options() { return form_->options(); }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(WindowFont());
  UpdaterDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "updater_dialog_test.moc"
