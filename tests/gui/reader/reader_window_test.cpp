#include "gui/reader/reader_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include "core/analysis/session.h"
#include "gui/platform/window_font.h"
#include "support/card_builder.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

// A platform whose message box takes the activation away from the reader
// and gives it back, as a real message box does.
class ActivationStealingPlatform : public Platform {
 public:
  explicit ActivationStealingPlatform(test::ScriptedPlatform& inner) : inner_(inner) {}
  QWidget* reader = nullptr;

  void showMessage(QWidget* parent, const QString& text) override {
    QEvent out(QEvent::WindowDeactivate);
    QApplication::sendEvent(reader, &out);
    inner_.showMessage(parent, text);
    // Some window systems hand the activation back only after the box is gone.
    pendingReturn = true;
  }
  std::optional<QString> getOpenFileName(QWidget* p, const FileDialogOptions& o) override {
    return inner_.getOpenFileName(p, o);
  }
  std::optional<QString> getSaveFileName(QWidget* p, const FileDialogOptions& o) override {
    return inner_.getSaveFileName(p, o);
  }
  void setClipboardText(const QString& t) override { inner_.setClipboardText(t); }
  QString clipboardText() override { return inner_.clipboardText(); }
  void setClipboardImage(const QImage& i) override { inner_.setClipboardImage(i); }
  bool choosePrinter(QWidget* p, QPrinter& printer) override {
    return inner_.choosePrinter(p, printer);
  }
  void beginBusy() override { inner_.beginBusy(); }
  void endBusy() override { inner_.endBusy(); }
  void showHelp(QWidget* p, const QString& t) override { inner_.showHelp(p, t); }
  bool openUrl(const QString& u) override { return inner_.openUrl(u); }
  bool pendingReturn = false;

 private:
  test::ScriptedPlatform& inner_;
};

}  // namespace

class ReaderWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempDir> dir_;
  std::unique_ptr<Session> session_;
  test::ScriptedPlatform platform_;
  std::unique_ptr<ReaderWindow> form_;

  template <typename T>
  T* Child(const char* name) {
    auto* child = form_->findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return child;
  }
  QString Box(const char* name) { return Child<QLineEdit>(name)->text(); }
  void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }

 private slots:
  void init() {
    dir_ = std::make_unique<test::TempDir>();
    TCardRecord hq = test::MakeCard("Bion HQ", 'H');
    hq.Rarity = 'V';
    hq.Domain = 'M';
    hq.ProdMil = '2';
    hq.TurnsMil.Assign("**");
    hq.Keywords = 1u << 0 | 1u << 2;  // Alpha, Arctic
    hq.Specials = 1u << 9;            // $Programuser
    hq.TextStart = 1;
    hq.TextEnd = 15;
    TCardRecord drone = test::MakeCard("Caf\xE9 Drone");
    drone.HP.Assign("3");
    drone.AttackMil = '1';
    dir_->Write("CardStat.Dat", test::RecordsBytes({test::MakeCard("Alpha Relay", 'B'), hq, drone,
                                                    test::MakeCard("Zulu Probe", 'P')}));
    dir_->Write("CardText.Dat", "Holds the line.");
    session_ = std::make_unique<Session>(dir_->path());
    platform_.messages.clear();
    form_ = std::make_unique<ReaderWindow>(*session_, platform_);
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void windowFrame() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Orvane Card Detail Reader"));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!form_->isModal());
    // Done first, then the other controls that take the keyboard.
    QWidget* w = Child<QPushButton>("DoneButton");
    QStringList order;
    for (int i = 0; i < 7; ++i, w = w->nextInFocusChain()) {
      while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
      order << w->objectName();
    }
    QCOMPARE(order, QStringList({"DoneButton", "FirstButton", "PreviousButton", "NextButton",
                                 "LastButton", "SearchText", "SearchButton"}));
    for (const ReaderField& field : ReaderFields()) {
      const QString name = QString::fromLatin1(field.name.data(), field.name.size());
      auto* box = form_->findChild<QLineEdit*>(name);
      QVERIFY2(box, qPrintable(name));
      QVERIFY(box->isReadOnly());
      QCOMPARE(box->focusPolicy(), Qt::NoFocus);
    }
  }

  void activationShowsTheRequestedCard() {
    session_->SelectedCardName = "Bion HQ";
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(Box("CardName"), QStringLiteral("Bion HQ"));
    QCOMPARE(Box("Rarity"), QStringLiteral("Very Rare"));
    QCOMPARE(Box("CardType"), QStringLiteral("HQ"));
    QCOMPARE(Box("Domain"), QStringLiteral("Monastery"));
    QCOMPARE(Box("ProdMil"), QStringLiteral("2"));
    QCOMPARE(Box("TurnsMil"), QStringLiteral("**"));
    auto* special = Child<QListWidget>("SpecialBox");
    QCOMPARE(special->count(), 3);
    QCOMPARE(special->item(0)->text(), QStringLiteral("Alpha"));
    QCOMPARE(special->item(1)->text(), QStringLiteral("Arctic"));
    QCOMPARE(special->item(2)->text(), QStringLiteral("$ProgramUser"));
    QCOMPARE(Child<QTextEdit>("CardText")->toPlainText(), QStringLiteral("Holds the line."));
  }

  void navigationStopsAtBothEnds() {
    form_->reloadCard();
    QCOMPARE(Box("CardName"), QStringLiteral("Alpha Relay"));
    Click("PreviousButton");
    QCOMPARE(platform_.messages, QStringList{"This is the first card!"});
    Click("NextButton");
    Click("NextButton");
    QCOMPARE(Box("CardName"), QString::fromUtf8("Caf\u00e9 Drone"));  // decoded for display
    QCOMPARE(Box("AttackMil"), QStringLiteral("1"));
    Click("LastButton");
    QCOMPARE(Box("CardName"), QStringLiteral("Zulu Probe"));
    Click("NextButton");
    QCOMPARE(platform_.messages.last(), QStringLiteral("This is the last card!"));
    QCOMPARE(Box("CardName"), QStringLiteral("Zulu Probe"));
    Click("FirstButton");
    QCOMPARE(Box("CardName"), QStringLiteral("Alpha Relay"));
    QCOMPARE(platform_.messages.size(), 2);
  }

  void searchByButtonEnterAndDoubleClick() {
    form_->reloadCard();
    auto* search = Child<QLineEdit>("SearchText");
    search->setText(QStringLiteral("  BION "));
    Click("SearchButton");
    QCOMPARE(Box("CardName"), QStringLiteral("Bion HQ"));

    search->setText(QString::fromUtf8("caf\u00e9"));  // typed in Unicode, matched in card bytes
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(Box("CardName"), QString::fromUtf8("Caf\u00e9 Drone"));

    search->setText(QStringLiteral("zu"));
    QTest::mouseDClick(search, Qt::LeftButton);
    QCOMPARE(Box("CardName"), QStringLiteral("Zulu Probe"));

    search->setText(QStringLiteral("HQ"));
    Click("SearchButton");
    QCOMPARE(platform_.messages, QStringList{"No Such Card!"});
    QCOMPARE(Box("CardName"), QStringLiteral("Zulu Probe"));
  }

  void missingCardTextShowsTheTealNotice() {
    std::remove(dir_->File("CardText.Dat").c_str());
    session_->SelectedCardName = "Bion HQ";
    form_->reloadCard();
    auto* text = Child<QTextEdit>("CardText");
    QCOMPARE(text->toPlainText(),
             QStringLiteral("You must create a card text file before being able to view text."));
    QTextCursor cursor(text->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(0, 128, 128));
    QCOMPARE(Box("CardName"), QStringLiteral("Bion HQ"));  // the statistics still show

    dir_->Write("CardText.Dat", "Holds the line.");
    form_->reloadCard();
    cursor = QTextCursor(text->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QVERIFY(cursor.charFormat().foreground().color() != QColor(0, 128, 128));
    QCOMPARE(text->toPlainText(), QStringLiteral("Holds the line."));
  }

  void doneHandsTheNameBackAndReopensOnIt() {
    form_->show();
    form_->reloadCard();
    Click("LastButton");
    Click("PreviousButton");
    Click("DoneButton");
    QVERIFY(!form_->isVisible());
    QCOMPARE(session_->SelectedCardName, std::string("Caf\xE9 Drone"));
    Click("FirstButton");
    form_->show();
    form_->reloadCard();
    QCOMPARE(Box("CardName"), QString::fromUtf8("Caf\u00e9 Drone"));
  }

  void aMissingDatabaseShowsItsIoError() {
    std::remove(dir_->File("CardStat.Dat").c_str());
    form_->reloadCard();
    QCOMPARE(platform_.messages, QStringList{"File not found"});
    dir_->Write("CardStat.Dat", "");
    form_->reloadCard();
    QCOMPARE(platform_.messages.last(), QStringLiteral("Read beyond end of file"));
    Click("LastButton");
    QCOMPARE(platform_.messages.size(), 3);
  }

  void theReturnFromItsOwnMessageDoesNotReload() {
    ActivationStealingPlatform stealing(platform_);
    session_->SelectedCardName = "Bion HQ";
    ReaderWindow form(*session_, stealing);
    stealing.reader = &form;
    form.reloadCard();
    form.showPreviousCard();  // now on "Alpha Relay"
    form.showPreviousCard();  // "This is the first card!"
    QEvent back(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &back);
    auto* name = form.findChild<QLineEdit*>(QStringLiteral("CardName"));
    QCOMPARE(name->text(), QStringLiteral("Alpha Relay"));
    // An activation from elsewhere reloads the requested card.
    QEvent again(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &again);
    QCOMPARE(name->text(), QStringLiteral("Bion HQ"));

    // When the activation goes to another window after the message, the next
    // return to the reader is a real one.
    form.showPreviousCard();
    form.showPreviousCard();  // the notice again
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QEvent returning(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &returning);
    QCOMPARE(name->text(), QStringLiteral("Bion HQ"));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(WindowFont());
  ReaderWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "reader_window_test.moc"
