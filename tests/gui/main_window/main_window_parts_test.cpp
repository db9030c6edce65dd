// The integer field's text forms, transitions and keys, the centring
// rounding and the card list hint rule, each as a table of cases.
#include <QTest>

#include "gui/main_window/card_list_hint.h"
#include "gui/main_window/figure_field.h"
#include "gui/platform/centring.h"

using quillet::FigureField;

namespace {

// One step applied to a field (steps are separated by ";"): "v=N" sets Value, "p=0/1" percentage,
// "z=0/1" showZero, "a=N" addValue, "t=TEXT" sets the raw text.
void Apply(FigureField& field, const QString& step) {
  const QString argument = step.mid(2);
  switch (step.at(0).toLatin1()) {
    case 'v':
      field.setValue(argument.toInt());
      break;
    case 'p':
      field.setPercentage(argument == QLatin1String("1"));
      break;
    case 'z':
      field.setShowZero(argument == QLatin1String("1"));
      break;
    case 'a':
      field.addValue(argument.toInt());
      break;
    case 't':
      field.setText(argument);
      break;
    default:
      QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
  }
}

}  // namespace

class MainWindowPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void newFieldIsEmptyReadOnlyAndFocusable() {
    FigureField field;
    QCOMPARE(field.text(), QString());
    QCOMPARE(field.value(), 0);
    QVERIFY(field.isReadOnly());
    QCOMPARE(field.focusPolicy(), Qt::StrongFocus);
    QVERIFY(!field.percentage());
    QVERIFY(!field.showZero());
  }

  void textForms_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("hidden zero") << "v=0"
                                 << "" << 0;
    QTest::newRow("shown zero") << "v=0;z=1"
                                << "0" << 0;
    QTest::newRow("shown zero percent") << "p=1;v=0;z=1"
                                        << "0%" << 0;
    QTest::newRow("hidden zero percent") << "p=1;v=0"
                                         << "" << 0;
    QTest::newRow("percent 37") << "p=1;v=37"
                                << "37%" << 37;
    QTest::newRow("percent off keeps 37") << "p=1;v=37;p=0"
                                          << "37" << 37;
    QTest::newRow("negative percent") << "p=1;v=-5"
                                      << "-5%" << -5;
    QTest::newRow("add to empty") << "a=3"
                                  << "3" << 3;
    QTest::newRow("add back to zero") << "a=3;a=-3"
                                      << "" << 0;
    QTest::newRow("add back to shown zero") << "z=1;a=3;a=-3"
                                            << "0" << 0;
    QTest::newRow("hide zero keeps 4") << "z=1;v=4;z=0"
                                       << "4" << 4;
    QTest::newRow("then zero empties") << "z=1;v=4;z=0;v=0"
                                       << "" << 0;
    QTest::newRow("percent twice on empty") << "p=1;p=1"
                                            << "" << 0;
    QTest::newRow("percent on after value") << "v=12;p=1"
                                            << "12%" << 12;
    QTest::newRow("show zero on then off") << "z=1;z=0"
                                           << "" << 0;
    QTest::newRow("show zero on with value") << "v=8;z=1"
                                             << "8" << 8;
    QTest::newRow("largest value") << "v=2147483647"
                                   << "2147483647" << 2147483647;
    QTest::newRow("adding wraps") << "v=2147483647;a=1"
                                  << "-2147483648" << -2147483647 - 1;
    QTest::newRow("foreign text reads 0") << "t=abc"
                                          << "abc" << 0;
    QTest::newRow("hex text reads by the rule") << "t=$1F"
                                                << "$1F" << 31;
    QTest::newRow("trailing blank reads 0") << "t=4 "
                                            << "4 " << 0;
  }
  void textForms() {
    QFETCH(QString, steps);
    QFETCH(QString, text);
    QFETCH(int, value);
    FigureField field;
    for (const QString& step : steps.split(QLatin1Char(';'))) Apply(field, step);
    QCOMPARE(field.text(), text);
    QCOMPARE(field.value(), value);
  }

  void clicksAreReported() {
    FigureField field;
    field.resize(28, 21);
    int clicks = 0;
    int doubleClicks = 0;
    connect(&field, &FigureField::clicked, this, [&clicks] { ++clicks; });
    connect(&field, &FigureField::doubleClicked, this, [&doubleClicks] { ++doubleClicks; });
    QTest::mouseClick(&field, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QCOMPARE(doubleClicks, 0);
    QTest::mouseDClick(&field, Qt::LeftButton);
    QCOMPARE(doubleClicks, 1);
    const int clicksSoFar = clicks;
    QTest::mouseClick(&field, Qt::RightButton);
    QCOMPARE(clicks, clicksSoFar);
  }

  void keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("reported");  // "open", a step, or "" for none
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << "open";
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "open";
    QTest::newRow("Space") << int(Qt::Key_Space) << 0 << "open";
    QTest::newRow("Left") << int(Qt::Key_Left) << 0 << "previous";
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << "previous";
    QTest::newRow("Right") << int(Qt::Key_Right) << 0 << "next";
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << "next";
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << "first";
    QTest::newRow("End") << int(Qt::Key_End) << 0 << "last";
    QTest::newRow("Shift+Left selects") << int(Qt::Key_Left) << int(Qt::ShiftModifier) << "";
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << "";
    QTest::newRow("a letter") << int(Qt::Key_A) << 0 << "";
  }
  void keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, reported);
    FigureField field;
    field.setValue(12);
    QStringList seen;
    connect(&field, &FigureField::activated, this, [&seen] { seen << QStringLiteral("open"); });
    connect(&field, &FigureField::stepped, this, [&seen](FigureField::Step step) {
      const char* names[] = {"previous", "next", "first", "last"};
      seen << QString::fromLatin1(names[static_cast<int>(step)]);
    });
    QTest::keyClick(&field, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(seen, reported.isEmpty() ? QStringList() : QStringList{reported});
    QCOMPARE(field.text(), QStringLiteral("12"));  // never edited
  }

  void centring_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("offset");
    QTest::newRow("even room") << 1280 << 716 << 282;
    QTest::newRow("half to even below") << 1281 << 716 << 282;  // 282.5
    QTest::newRow("half to even above") << 1283 << 716 << 284;  // 283.5
    QTest::newRow("no room") << 716 << 716 << 0;
    QTest::newRow("one pixel of room") << 717 << 716 << 0;      // 0.5
    QTest::newRow("three pixels of room") << 719 << 716 << 2;   // 1.5
    QTest::newRow("window larger, half") << 600 << 717 << -58;  // -58.5
    QTest::newRow("window larger, even") << 600 << 716 << -58;
    QTest::newRow("window larger, odd half") << 600 << 719 << -60;  // -59.5
  }
  void centring() {
    QFETCH(int, screen);
    QFETCH(int, window);
    QFETCH(int, offset);
    QCOMPARE(quillet::CentredOffset(screen, window), offset);
  }

  void cardLineHint_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("hint");
    QTest::addColumn<int>("visible");
    // The list is 161 pixels wide: 158 without a scroll bar, 136 with one.
    QTest::newRow("10 lines, 150 wide") << 10 << 150 << false << 17;
    QTest::newRow("18 lines, 150 wide") << 18 << 150 << true << 17;
    QTest::newRow("17 lines, 150 wide") << 17 << 150 << false << 17;
    QTest::newRow("17 lines, 158 wide") << 17 << 158 << false << 17;
    QTest::newRow("17 lines, 159 wide") << 17 << 159 << true << 17;
    QTest::newRow("18 lines, 136 wide") << 18 << 136 << false << 17;
    QTest::newRow("18 lines, 137 wide") << 18 << 137 << true << 17;
    QTest::newRow("1 line, 159 wide") << 1 << 159 << true << 17;
    // A taller list holds more lines before its scroll bar comes.
    QTest::newRow("30 lines of 40, 150 wide") << 30 << 150 << false << 40;
    QTest::newRow("41 lines of 40, 150 wide") << 41 << 150 << true << 40;
  }
  void cardLineHint() {
    QFETCH(int, lines);
    QFETCH(int, width);
    QFETCH(bool, hint);
    QFETCH(int, visible);
    QCOMPARE(quillet::CardLineNeedsHint(lines, width, 161, visible), hint);
  }
};

QTEST_MAIN(MainWindowPartsTest)
#include "main_window_parts_test.moc"
