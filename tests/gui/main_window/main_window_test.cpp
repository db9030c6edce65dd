// The main window over a card database built from the sample card list, with
// a scripted platform: start states, opening decks, every kind of drill-down,
// saving a list, the card list's selection, copy, reader, hint and heading,
// the shell commands, the keyboard path through every figure, and the
// window's layout at its default size and grown. QUILLET_SCREENSHOT_DIR, when set,
// receives pictures of the window in its main states.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/analysis/session.h"
#include "core/import/card_data_update.h"
#include "gui/main_window/card_list_box.h"
#include "gui/main_window/elided_label.h"
#include "gui/main_window/field_places.h"
#include "gui/main_window/figure_field.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/name_edit.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using quillet::FigureField;
using quillet::MainWindow;
using quillet::MasterFields;

namespace {

const char* const kDeck[] = {
    "1\tGolani Special Forces HQ",
    "3\tGolani Commando",
    "2\tBlue Helmet Sniper",
    "2\tPeacekeeper Squad",
    "1\tSteppe Tank",
    "3\tSupply Depot",
    "2\tListening Post",
    "2\tSignals Relay",
    "1\tWatchtower",
    "2\tKevlar Weave",
    "2\tBorder Patrol",
    "1\tSentinel Ice",
    "2\tArms Export Contract",
    "1\tSoftware Maintenance Contract",
};

std::string DeckBytes(std::initializer_list<const char*> lines) {
  std::string bytes;
  for (const char* line : lines) bytes += std::string(line) + "\r\n";
  return bytes;
}

std::string WholeDeck() {
  std::string bytes;
  for (const char* line : kDeck) bytes += std::string(line) + "\r\n";
  return bytes;
}

// A card list line as the window shows it: the count padded to 5 columns.
QString Line(int count, const char* name) {
  return QString::number(count).leftJustified(5, QLatin1Char(' ')) + QString::fromLatin1(name);
}

struct Window {
  explicit Window(bool withData = true) : session(dir.path()) {
    if (withData) {
      quillet::UpdateCardData(session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                              quillet::UpdateOptions{});
    }
    form = std::make_unique<MainWindow>(document, platform);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qWarning("no control %s", name);
    return widget;
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  FigureField* field(const char* name) const { return form->field(name); }
  quillet::CardListBox* CardList() const { return Find<quillet::CardListBox>("CardList"); }

  // Opens a deck through the Open button and the scripted dialog.
  QString Open(const std::string& bytes, const char* fileName = "deck.txt") {
    const QString path = QString::fromStdString(dir.Write(fileName, bytes));
    platform.openAnswers.push_back(path);
    QTest::mouseClick(Find<QPushButton>("AnalyzeButton"), Qt::LeftButton);
    return path;
  }

  // The name the Save dialog proposes now, asked by cancelling it.
  QString ProposedName() {
    platform.saveAnswers.push_back(std::nullopt);
    form->saveList();
    return platform.saveRequests.back().fileName;
  }

  QStringList lines() const { return CardList()->lines(); }

  QPoint LinePoint(int row) const {
    return CardList()->visualItemRect(CardList()->item(row)).center();
  }

  quillet::test::TempDir dir;
  quillet::Session session;
  quillet::test::ScriptedPlatform platform;
  quillet::DeckDocument document{session, platform};
  std::unique_ptr<MainWindow> form;
};

// What a field must show for a value, by its two flags.
QString Expected(std::int32_t value, bool showZero, bool percentage) {
  if (value == 0 && !showZero) return {};
  return QString::number(value) + (percentage ? QStringLiteral("%") : QString());
}

void CheckFieldsShowModel(Window& w) {
  auto& model = w.form->view();
  for (const auto& field : MasterFields()) {
    const FigureField* edit = w.form->field(field.name);
    QVERIFY2(edit != nullptr, field.name.data());
    QCOMPARE(edit->text(),
             Expected(model.FieldValue(field.name), model.ShowZero(), field.percentage));
  }
}

QString Text(const QRect& r) {
  return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

void SaveShot(Window& w, const char* name) {
  const QByteArray dir = qgetenv("QUILLET_SCREENSHOT_DIR");
  const QPixmap picture = w.form->grab();
  QVERIFY(!picture.isNull());
  if (!dir.isEmpty()) picture.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startWithoutDataFileWarnsAndDisablesTheDeckCommands() {
    Window w(false);
    QCOMPARE(w.platform.messages,
             QStringList{QStringLiteral("You must create a data file to use this program")});
    for (const char* name : {"AnalyzeButton", "SaveButton", "ReaderButton"}) {
      QVERIFY2(!w.Find(name)->isEnabled(), name);
    }
    for (const char* name : {"Open1", "SaveList1", "CardStats1"}) {
      QVERIFY2(!w.Action(name)->isEnabled(), name);
    }
    for (const char* name :
         {"UpdateCardDataFile1", "Help2", "About1", "QuilletHomepage1", "OrvaneHomePage1"}) {
      QVERIFY2(w.Action(name)->isEnabled(), name);
    }
    QVERIFY(w.Find("CloseButton")->isEnabled());

    // A cancelled update, or one that leaves no data file, enables nothing.
    bool answer = false;
    w.form->runUpdater = [&answer] { return answer; };
    w.Action("UpdateCardDataFile1")->trigger();
    answer = true;
    w.Action("UpdateCardDataFile1")->trigger();
    QVERIFY(!w.Find("AnalyzeButton")->isEnabled());
    QVERIFY(!w.Action("Open1")->isEnabled());

    quillet::UpdateCardData(w.session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                            quillet::UpdateOptions{});
    w.Action("UpdateCardDataFile1")->trigger();
    for (const char* name : {"AnalyzeButton", "SaveButton", "ReaderButton"}) {
      QVERIFY2(w.Find(name)->isEnabled(), name);
    }
    for (const char* name : {"Open1", "SaveList1", "CardStats1"}) {
      QVERIFY2(w.Action(name)->isEnabled(), name);
    }
    QCOMPARE(w.platform.messages.size(), 1);
  }

  void startWithDataFileShowsAnEmptyWindow() {
    Window w;
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Orvane Deck Analyzer"));
    for (const auto& field : MasterFields()) QCOMPARE(w.form->field(field.name)->text(), QString());
    QVERIFY(!w.Find("SaveButton")->isEnabled());
    QVERIFY(w.Action("SaveList1")->isEnabled());
    QVERIFY(w.Find("AnalyzeButton")->isEnabled());
    QVERIFY(!w.Action("Copy2")->isEnabled());
    QVERIFY(!w.Action("PopUpCopy")->isEnabled());
    auto* costBox = w.Find<QComboBox>("CostBox");
    QCOMPARE(costBox->count(), 1);
    QCOMPARE(costBox->currentText(), QStringLiteral("All cards"));
    QCOMPARE(
        w.field("MilCost")->toolTip(),
        QStringLiteral("Total amount of Military resources required to deploy all your cards"));
    QCOMPARE(w.field("UNAmount")->toolTip(), QStringLiteral("Double click to see all UN Cards"));
    QCOMPARE(w.Find<QCheckBox>("AssetSwitch")->isChecked(), false);
    QCOMPARE(w.ProposedName(), QStringLiteral("CardList.txt"));
    SaveShot(w, "main-window-start.png");

    // Before any deck a double click changes nothing.
    QTest::mouseDClick(w.field("AssetAmount"), Qt::LeftButton);
    QVERIFY(w.lines().isEmpty());
    QCOMPARE(w.ProposedName(), QStringLiteral("CardList.txt"));
  }

  void openingADeckShowsTheAnalysis() {
    Window w;
    const QString path = w.Open(WholeDeck());
    QCOMPARE(w.platform.openRequests.size(), std::size_t{1});
    QCOMPARE(w.platform.openRequests[0].fileName, QStringLiteral("*.txt"));
    QCOMPARE(w.platform.openRequests[0].filter, QStringLiteral("Text Files|*.txt"));
    QCOMPARE(w.platform.busyCount, 1);
    QCOMPARE(w.platform.busyDepth, 0);
    QVERIFY2(w.platform.messages.isEmpty(), qPrintable(w.platform.messages.join('\n')));

    QCOMPARE(w.Find<QLineEdit>("DName")->text(), path);
    QCOMPARE(w.Find<QLineEdit>("HQType")->text(), QStringLiteral("Golani Special Forces HQ"));
    CheckFieldsShowModel(w);
    // Known figures of this deck: 24 cards besides the HQ, no very rares,
    // a zero shown as "0" and the chances with their percent sign.
    QCOMPARE(w.field("TotalAmount")->text(), QStringLiteral("24"));
    QCOMPARE(w.field("BaseAmount")->text(), QStringLiteral("8"));
    QCOMPARE(w.field("VRareAmount")->text(), QStringLiteral("0"));
    QVERIFY(w.field("NoAssets")->text().endsWith(QLatin1Char('%')));
    QCOMPARE(w.field("SelectCard")->text(), QStringLiteral("0%"));

    auto* costBox = w.Find<QComboBox>("CostBox");
    QStringList items;
    for (int i = 0; i < costBox->count(); ++i) items << costBox->itemText(i);
    QCOMPARE(items,
             (QStringList{"Assets", "Enhancements", "Interventions", "Programs", "All cards"}));
    QCOMPARE(costBox->currentText(), QStringLiteral("All cards"));

    QStringList problems;
    for (const auto& problem : w.form->view().ProblemBox()) {
      problems << QString::fromStdString(problem);
    }
    auto* problemBox = w.Find<QListWidget>("ProblemBox");
    QCOMPARE(problemBox->count(), problems.size());
    QVERIFY(problemBox->count() > 0);  // 25 cards is no legal deck size
    for (int i = 0; i < problems.size(); ++i) QCOMPARE(problemBox->item(i)->text(), problems[i]);

    QCOMPARE(w.lines().size(), static_cast<qsizetype>(std::size(kDeck)));
    QCOMPARE(w.lines().front(), Line(1, "Golani Special Forces HQ"));
    QCOMPARE(w.lines()[5], Line(3, "Supply Depot"));
    QVERIFY(w.Find("SaveButton")->isEnabled());
    QCOMPARE(w.ProposedName(), QStringLiteral("CardList.txt"));
    SaveShot(w, "main-window.png");
  }

  void aFailingDeckResetsTheWindowAndSaysSoOnce() {
    Window w;
    w.Open(WholeDeck());
    w.Find<QComboBox>("CostBox")->setCurrentText(QStringLiteral("Assets"));
    // The message comes after the window has been emptied, not over the old deck.
    QStringList shownAtMessage;
    w.platform.onMessage = [&w, &shownAtMessage](const QString&) {
      shownAtMessage << w.field("TotalAmount")->text() << w.Find<QLineEdit>("DName")->text()
                     << QString::number(w.lines().size())
                     << QString::number(w.Find("SaveButton")->isEnabled());
    };
    const QString bad = w.Open(DeckBytes({"2\tGolani Commando", "two\tSupply Depot"}), "bad.txt");
    w.platform.onMessage = nullptr;
    QCOMPARE(shownAtMessage,
             (QStringList{QString(), QString(), QStringLiteral("0"), QStringLiteral("0")}));
    QCOMPARE(w.platform.messages,
             QStringList{QStringLiteral("File '%1' is not a valid deck file.").arg(bad)});
    for (const auto& field : MasterFields()) QCOMPARE(w.form->field(field.name)->text(), QString());
    QCOMPARE(w.Find<QLineEdit>("DName")->text(), QString());
    QCOMPARE(w.Find<QLineEdit>("HQType")->text(), QString());
    QVERIFY(w.lines().isEmpty());
    QCOMPARE(w.Find<QListWidget>("ProblemBox")->count(), 0);
    QVERIFY(!w.Find("SaveButton")->isEnabled());
    auto* costBox = w.Find<QComboBox>("CostBox");
    QCOMPARE(costBox->count(), 1);
    QCOMPARE(costBox->currentText(), QStringLiteral("All cards"));
    QCOMPARE(w.platform.busyDepth, 0);

    // A double click after the failure does nothing; a good deck works again.
    QTest::mouseDClick(w.field("TotalAmount"), Qt::LeftButton);
    QVERIFY(w.lines().isEmpty());
    w.Open(WholeDeck());
    QCOMPARE(w.field("TotalAmount")->text(), QStringLiteral("24"));
    QCOMPARE(w.platform.messages.size(), 1);
  }

  void cancellingTheOpenDialogChangesNothingShown() {
    Window w;
    w.Open(WholeDeck());
    const QString total = w.field("TotalAmount")->text();
    const QString name = w.Find<QLineEdit>("DName")->text();
    const QStringList lines = w.lines();
    w.platform.openAnswers.push_back(std::nullopt);
    w.Action("Open1")->trigger();
    QCOMPARE(w.field("TotalAmount")->text(), total);
    QCOMPARE(w.Find<QLineEdit>("DName")->text(), name);
    QCOMPARE(w.lines(), lines);
    QVERIFY(w.Find("SaveButton")->isEnabled());
    // The figures stay usable for drill-downs.
    QTest::mouseDClick(w.field("BaseAmount"), Qt::LeftButton);
    QCOMPARE(w.lines().size(), 4);
  }

  void drillDowns_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("assetsOnly");
    QTest::addColumn<QString>("costKind");
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QStringList>("lines");
    const auto L = [](int count, const char* name) { return Line(count, name); };
    QTest::newRow("type") << "BaseAmount" << false << ""
                          << "BaseList.txt"
                          << QStringList{L(3, "Supply Depot"), L(2, "Listening Post"),
                                         L(2, "Signals Relay"), L(1, "Watchtower")};
    QTest::newRow("keyword") << "MechAmount" << false << ""
                             << "MechList.txt" << QStringList{L(1, "Steppe Tank")};
    QTest::newRow("enhancement keyword") << "GearAmount" << false << ""
                                         << "GearList.txt" << QStringList{L(2, "Kevlar Weave")};
    QTest::newRow("domain, all cards") << "UNAmount" << false << ""
                                       << "UNList.txt"
                                       << QStringList{L(1, "Golani Special Forces HQ"),
                                                      L(3, "Golani Commando"),
                                                      L(2, "Blue Helmet Sniper"),
                                                      L(2, "Peacekeeper Squad"),
                                                      L(3, "Supply Depot"),
                                                      L(2, "Listening Post"),
                                                      L(2, "Signals Relay"),
                                                      L(1, "Watchtower"),
                                                      L(2, "Kevlar Weave"),
                                                      L(2, "Border Patrol"),
                                                      L(1, "Sentinel Ice")};
    QTest::newRow("domain, assets only")
        << "UNAmount" << true << ""
        << "UNList.txt"
        << QStringList{L(3, "Golani Commando"), L(2, "Blue Helmet Sniper"),
                       L(2, "Peacekeeper Squad")};
    QTest::newRow("rarity") << "UncommonAmount" << false << ""
                            << "UncommonList.txt"
                            << QStringList{L(3, "Golani Commando"),
                                           L(2, "Blue Helmet Sniper"),
                                           L(1, "Steppe Tank"),
                                           L(2, "Listening Post"),
                                           L(2, "Arms Export Contract"),
                                           L(1, "Software Maintenance Contract")};
    QTest::newRow("highest") << "HighFP" << false << ""
                             << "HighFPList.txt" << QStringList{L(1, "Steppe Tank")};
    QTest::newRow("cost, all cards")
        << "CybCost" << false << ""
        << "CybOpCostList.txt"
        << QStringList{L(1, "Sentinel Ice"), L(1, "Software Maintenance Contract")};
    QTest::newRow("cost, assets") << "MilCost" << false << "Assets"
                                  << "MilCostList.txt"
                                  << QStringList{L(3, "Golani Commando"),
                                                 L(2, "Blue Helmet Sniper"),
                                                 L(2, "Peacekeeper Squad"), L(1, "Steppe Tank")};
    QTest::newRow("production") << "TotalCybAmount" << false << ""
                                << "CybOpProdList.txt"
                                << QStringList{L(2, "Signals Relay"),
                                               L(1, "Software Maintenance Contract")};
    QTest::newRow("deck name") << "DName" << false << ""
                               << "CardList.txt" << QStringList{};
    QTest::newRow("HQ type") << "HQType" << false << ""
                             << "HQList.txt" << QStringList{L(1, "Golani Special Forces HQ")};
    QTest::newRow("top deck, single click") << "TopDeckAmount" << false << ""
                                            << "TopdeckList.txt" << QStringList{};
  }
  void drillDowns() {
    QFETCH(QString, field);
    QFETCH(bool, assetsOnly);
    QFETCH(QString, costKind);
    QFETCH(QString, listName);
    QFETCH(QStringList, lines);
    Window w;
    w.Open(WholeDeck());
    if (assetsOnly) QTest::mouseClick(w.Find<QCheckBox>("AssetSwitch"), Qt::LeftButton);
    if (!costKind.isEmpty()) {
      auto* costBox = w.Find<QComboBox>("CostBox");
      costBox->setCurrentText(costKind);
      emit costBox->textActivated(costKind);
    }
    QWidget* control = w.form->findChild<QWidget*>(field);
    QVERIFY(control != nullptr);
    if (field == QLatin1String("TopDeckAmount")) {
      QTest::mouseClick(control, Qt::LeftButton);
    } else {
      QTest::mouseDClick(control, Qt::LeftButton);
    }
    if (field == QLatin1String("DName")) {
      lines.clear();
      for (const char* line : kDeck) {
        const QString text = QString::fromLatin1(line);
        lines << Line(text.section('\t', 0, 0).toInt(), qPrintable(text.section('\t', 1)));
      }
    }
    QCOMPARE(w.lines(), lines);
    QCOMPARE(w.ProposedName(), listName);
  }

  void topDeckNeedsNoDoubleClickAndOthersNoSingleClick() {
    Window w;
    w.Open(WholeDeck());
    QTest::mouseClick(w.field("BaseAmount"), Qt::LeftButton);
    QCOMPARE(w.lines().size(), static_cast<qsizetype>(std::size(kDeck)));
    QTest::mouseClick(w.field("TopDeckAmount"), Qt::LeftButton);
    QVERIFY(w.lines().isEmpty());
    QCOMPARE(w.ProposedName(), QStringLiteral("TopdeckList.txt"));
  }

  void assetSwitchAndCostBoxChangeHintsAndFigures() {
    Window w;
    w.Open(WholeDeck());
    const auto& model = w.form->view();
    const QString allUN = w.field("UNAmount")->text();
    QTest::mouseClick(w.Find<QCheckBox>("AssetSwitch"), Qt::LeftButton);
    QCOMPARE(w.field("UNAmount")->toolTip(), QStringLiteral("Double click to see UN assets"));
    QCOMPARE(w.field("UNAmount")->text(), QStringLiteral("7"));
    QVERIFY(allUN != w.field("UNAmount")->text());
    QTest::mouseClick(w.Find<QCheckBox>("AssetSwitch"), Qt::LeftButton);
    QCOMPARE(w.field("UNAmount")->toolTip(), QStringLiteral("Double click to see all UN cards"));
    QCOMPARE(w.field("UNAmount")->text(), allUN);

    auto* costBox = w.Find<QComboBox>("CostBox");
    costBox->setCurrentText(QStringLiteral("Programs"));
    emit costBox->textActivated(QStringLiteral("Programs"));
    QCOMPARE(
        w.field("CybCost")->toolTip(),
        QStringLiteral("Total amount of CyberOps resources required to run all your programs"));
    QCOMPARE(w.field("CybCost")->text(), QStringLiteral("1"));
    QCOMPARE(w.field("MilCost")->text(), QStringLiteral("0"));
    CheckFieldsShowModel(w);

    // Another deck starts again from "All cards".
    w.Open(WholeDeck());
    QCOMPARE(costBox->currentText(), QStringLiteral("All cards"));
    QCOMPARE(
        w.field("CybCost")->toolTip(),
        QStringLiteral("Total amount of CyberOps resources required to deploy all your cards"));
    QCOMPARE(w.field("CybCost")->value(), model.FieldValue("CybCost"));
  }

  void savedListOpensAsTheSameDeck() {
    Window w;
    w.Open(WholeDeck());
    const QStringList lines = w.lines();
    const std::string saved = w.dir.File("saved.txt");
    w.platform.saveAnswers.push_back(QString::fromStdString(saved));
    QTest::mouseClick(w.Find<QPushButton>("SaveButton"), Qt::LeftButton);
    const auto& request = w.platform.saveRequests.back();
    QCOMPARE(request.fileName, QStringLiteral("CardList.txt"));
    QCOMPARE(request.filter, QStringLiteral("Text Files|*.txt"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(quillet::test::TempDir::Read(saved), WholeDeck());
    // The dialog now proposes the path just chosen, until a list replaces it.
    QCOMPARE(w.ProposedName(), QString::fromStdString(saved));

    w.platform.openAnswers.push_back(QString::fromStdString(saved));
    w.form->openDeck();
    QCOMPARE(w.lines(), lines);
    QVERIFY(w.platform.messages.isEmpty());
    // The open dialog starts in the folder of the last deck analysed.
    QCOMPARE(w.platform.openRequests.back().initialDirectory, QString::fromStdString(w.dir.path()));

    // A drill-down list saves just its lines.
    QTest::mouseDClick(w.field("BaseAmount"), Qt::LeftButton);
    w.platform.saveAnswers.push_back(QString::fromStdString(saved));
    w.Action("SaveList1")->trigger();
    QCOMPARE(w.platform.saveRequests.back().fileName, QStringLiteral("BaseList.txt"));
    QCOMPARE(quillet::test::TempDir::Read(saved), DeckBytes({"3\tSupply Depot", "2\tListening Post",
                                                             "2\tSignals Relay", "1\tWatchtower"}));
  }

  void aFailedSaveShowsTheErrorAndKeepsTheOldFile() {
    Window w;
    w.Open(WholeDeck());
    const std::string saved = w.dir.Write("kept.txt", "old");
    // A directory in the place of the file cannot be replaced by a list.
    const std::string blocked = w.dir.File("blocked.txt");
    QDir().mkpath(QString::fromStdString(blocked + "/inside"));
    w.platform.saveAnswers.push_back(QString::fromStdString(blocked));
    w.form->saveList();
    QCOMPARE(w.platform.messages.size(), 1);
    QVERIFY(!w.platform.messages.front().isEmpty());
    w.platform.saveAnswers.push_back(QString::fromStdString(w.dir.File("missing/list.txt")));
    w.form->saveList();
    QCOMPARE(w.platform.messages.size(), 2);
    QCOMPARE(quillet::test::TempDir::Read(saved), std::string("old"));
  }

  void selectingALineShowsItsChance() {
    Window w;
    w.Open(WholeDeck());
    auto* list = w.CardList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, w.LinePoint(0));
    QCOMPARE(list->selectedRow(), 0);
    QCOMPARE(w.field("SelectCard")->text(), QStringLiteral("100%"));  // the HQ card
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, w.LinePoint(1));
    QCOMPARE(w.field("SelectCard")->text(),
             QStringLiteral("%1%").arg(w.form->view().FieldValue("SelectCard")));
    QVERIFY(w.field("SelectCard")->text() != QStringLiteral("100%"));
    QVERIFY(w.field("SelectCard")->text() != QStringLiteral("0%"));
    // The keyboard changes the selection too.
    const QString second = w.field("SelectCard")->text();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->selectedRow(), 0);
    QCOMPARE(w.field("SelectCard")->text(), QStringLiteral("100%"));
    QVERIFY(second != w.field("SelectCard")->text());
  }

  void copyFollowsTheMouseUpRule() {
    Window w;
    w.Open(WholeDeck());
    auto* list = w.CardList();
    QAction* popUpCopy = w.Action("PopUpCopy");
    QAction* copy2 = w.Action("Copy2");

    // A right-button release selects the line under the pointer, without the
    // chance display, and opens the popup menu with "Copy" enabled.
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, w.LinePoint(13));
    QCOMPARE(list->selectedRow(), 13);
    QCOMPARE(w.field("SelectCard")->text(), QStringLiteral("0%"));
    QVERIFY(popUpCopy->isEnabled());
    QVERIFY(copy2->isEnabled());
    auto* menu = w.Find<QMenu>("CardListMenu");
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    popUpCopy->trigger();
    QCOMPARE(w.platform.clipboard, QStringLiteral("Software Maintenance Contract"));

    // A release below the last line clears the selection and disables both.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 220));
    QCOMPARE(list->selectedRow(), -1);
    QVERIFY(!popUpCopy->isEnabled());
    QVERIFY(!copy2->isEnabled());

    // "Copy Card to Clipboard" stays enabled over a new deck until the next
    // release; without a selection it empties the clipboard.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, w.LinePoint(2));
    QVERIFY(copy2->isEnabled());
    w.Open(WholeDeck());
    QVERIFY(copy2->isEnabled());
    QCOMPARE(list->selectedRow(), -1);
    copy2->trigger();
    QCOMPARE(w.platform.clipboard, QString());
  }

  void cardStatsOpensTheReaderOnTheSelectedCard() {
    Window w;
    int shown = 0;
    w.form->showReader = [&shown] { ++shown; };
    w.session.SelectedCardName = "Watchtower";  // left by the reader
    w.Action("CardStats1")->trigger();
    QCOMPARE(shown, 1);
    QCOMPARE(w.session.SelectedCardName, std::string("Watchtower"));

    w.Open(WholeDeck());
    QTest::mouseDClick(w.CardList()->viewport(), Qt::LeftButton, {}, w.LinePoint(4));
    QCOMPARE(shown, 2);
    QCOMPARE(w.session.SelectedCardName, std::string("Steppe Tank"));

    w.CardList()->selectQuietly(-1);
    QTest::mouseClick(w.Find<QPushButton>("ReaderButton"), Qt::LeftButton);
    QCOMPARE(shown, 3);
    QCOMPARE(w.session.SelectedCardName, std::string());

    w.CardList()->selectQuietly(1);
    w.Action("PopUpStats")->trigger();
    QCOMPARE(shown, 4);
    QCOMPARE(w.session.SelectedCardName, std::string("Golani Commando"));
  }

  void wideLinesGetTheirHint() {
    Window w;
    w.Open(WholeDeck());
    auto* list = w.CardList();
    w.form->showCardLineHint(w.LinePoint(13));
    QCOMPARE(list->toolTip(), Line(1, "Software Maintenance Contract"));
    w.form->showCardLineHint(w.LinePoint(8));
    QCOMPARE(list->toolTip(), QString());  // "1    Watchtower" fits
    // Below the last line nothing changes.
    w.form->showCardLineHint(w.LinePoint(13));
    w.form->showCardLineHint(QPoint(20, 220));
    QCOMPARE(list->toolTip(), Line(1, "Software Maintenance Contract"));
  }

  void wideLineHintAtTheScrollBarBoundary() {
    // "Golani Special Forces HQ" with its count is between 136 and 158 pixels
    // wide: no hint while 17 lines fit, a hint once an 18th brings the scroll
    // bar.
    Window w;
    QLabel probe;
    probe.setFont(w.CardList()->font());
    probe.setText(Line(1, "Golani Special Forces HQ"));
    const int width = probe.sizeHint().width();
    QVERIFY2(width > 136 && width <= 158, qPrintable(QString::number(width)));
    std::string seventeen = "1\tGolani Special Forces HQ\r\n";
    for (int i = 0; i < 16; ++i) seventeen += "1\tWatchtower\r\n";
    w.Open(seventeen);
    QCOMPARE(w.CardList()->visualItemRect(w.CardList()->item(0)).height(), 13);
    QTest::qWait(20);  // the list lays its lines out after the events
    QVERIFY(!w.CardList()->verticalScrollBar()->isVisible());
    w.form->showCardLineHint(w.LinePoint(0));
    QCOMPARE(w.CardList()->toolTip(), QString());
    std::string bytes = "1\tGolani Special Forces HQ\r\n";
    for (int i = 0; i < 17; ++i) bytes += "1\tWatchtower\r\n";
    w.Open(bytes);
    QCOMPARE(w.lines().size(), 18);
    QTRY_VERIFY(w.CardList()->verticalScrollBar()->isVisible());
    w.form->showCardLineHint(w.LinePoint(0));
    QCOMPARE(w.CardList()->toolTip(), Line(1, "Golani Special Forces HQ"));
  }

  void shellCommandsReachThePlatformAndHooks() {
    Window w;
    int abouts = 0;
    w.form->showAbout = [&abouts] { ++abouts; };
    w.Action("About1")->trigger();
    QCOMPARE(abouts, 1);
    w.Action("Help2")->trigger();
    QCOMPARE(w.platform.helpTopics, QStringList{QStringLiteral("IDH_110")});
    QCOMPARE(w.Action("Help2")->shortcut(), QKeySequence(Qt::Key_F1));
    w.Action("QuilletHomepage1")->trigger();
    w.Action("OrvaneHomePage1")->trigger();
    QCOMPARE(w.platform.openedUrls,
             (QStringList{quillet::kUtilitiesHomePage, quillet::kOrvaneHomePage}));
    w.Action("Exit1")->trigger();
    QVERIFY(!w.form->isVisible());
  }

  void menusCarryTheirCaptions() {
    Window w;
    const std::pair<const char*, const char*> items[] = {
        {"Open1", "&Open Deck..."},
        {"SaveList1", "&Save List..."},
        {"CardStats1", "&Card Stats"},
        {"ExportReport1", "&Export Report..."},
        {"Print1", "&Print..."},
        {"Charts1", "&Charts"},
        {"Exit1", "E&xit"},
        {"Copy2", "&Copy Card to Clipboard"},
        {"UpdateCardDataFile1", "&Update Card Data File"},
        {"CardBrowser1", "Card &Browser"},
        {"Help2", "Quillet &Help"},
        {"About1", "&About"},
        {"QuilletHomepage1", "Orvane Utilities &Home Page"},
        {"OrvaneHomePage1", "&Orvane Home Page"},
        {"PopUpCopy", "Copy"},
        {"PopUpStats", "Stats"},
    };
    for (const auto& [name, caption] : items) QCOMPARE(w.Action(name)->text(), QString(caption));
    for (const char* name : {"N1", "N2", "N3"}) QVERIFY2(w.Action(name)->isSeparator(), name);
    QStringList menus;
    for (QAction* menu : w.Find<QMenuBar>("MainMenu1")->actions()) menus << menu->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&View", "&Tools", "&Help"}));
  }

  void tabVisitsEveryControlInReadingOrder() {
    Window w;
    QApplication::setActiveWindow(w.form.get());
    QTRY_COMPARE(QApplication::focusWidget(), w.Find("AnalyzeButton"));
    // The names and the figures group by group, the cost selector before the
    // costs it chooses and the switch after the domains it switches, then the
    // card list, the buttons and the problems.
    QStringList order = {"DName", "HQType"};
    for (const quillet::FieldPlace& place : quillet::FieldPlaces()) {
      if (place.name == "MilCost") order << "CostBox";
      order << QString::fromLatin1(place.name.data(), static_cast<qsizetype>(place.name.size()));
      if (place.name == "TranscendAmount") order << "AssetSwitch";
    }
    order << "CardList"
          << "AnalyzeButton"
          << "SaveButton"
          << "ReaderButton"
          << "CloseButton"
          << "ProblemBox"
          << "DName";
    QCOMPARE(order.size(), 2 + static_cast<qsizetype>(MasterFields().size()) + 2 + 6 + 1);
    w.Open(WholeDeck());  // SaveButton is disabled before a deck, so Tab skips it.
    w.Find("DName")->setFocus();
    for (qsizetype i = 1; i < order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      QCOMPARE(focused->objectName(), order[i]);
      // A figure scrolled out of its row or column is brought into sight.
      QVERIFY2(!focused->visibleRegion().isEmpty(), qPrintable(order[i]));
    }
  }

  void arrowsMoveWithinAGroupAndEnterOpensTheList() {
    Window w;
    w.Open(WholeDeck());
    QApplication::setActiveWindow(w.form.get());
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    const auto focused = [] { return QApplication::focusWidget()->objectName(); };
    w.field("AssetAmount")->setFocus();
    press(Qt::Key_Left);  // the start of the group holds
    QCOMPARE(focused(), QStringLiteral("AssetAmount"));
    press(Qt::Key_Right);
    QCOMPARE(focused(), QStringLiteral("MechAmount"));
    press(Qt::Key_Down);
    QCOMPARE(focused(), QStringLiteral("AntiTerAmount"));
    press(Qt::Key_End);
    QCOMPARE(focused(), QStringLiteral("AlphaAmount"));
    QVERIFY(!w.field("AlphaAmount")->visibleRegion().isEmpty());
    press(Qt::Key_Right);  // and so does its end: the next row is Tab's
    QCOMPARE(focused(), QStringLiteral("AlphaAmount"));
    press(Qt::Key_Up);
    QCOMPARE(focused(), QStringLiteral("ArcticAmount"));
    press(Qt::Key_Home);
    QCOMPARE(focused(), QStringLiteral("AssetAmount"));

    // Enter and Space open the list as a double click does, on a figure and
    // on the names.
    w.field("BaseAmount")->setFocus();
    press(Qt::Key_Return);
    QCOMPARE(w.ProposedName(), QStringLiteral("BaseList.txt"));
    QCOMPARE(w.lines().size(), 4);
    w.field("TopDeckAmount")->setFocus();
    press(Qt::Key_Space);
    QCOMPARE(w.ProposedName(), QStringLiteral("TopdeckList.txt"));
    w.Find("HQType")->setFocus();
    press(Qt::Key_Enter);
    QCOMPARE(w.ProposedName(), QStringLiteral("HQList.txt"));
    QCOMPARE(w.lines(), QStringList{Line(1, "Golani Special Forces HQ")});

    // In the card list Enter opens the reader and Ctrl+C copies the name.
    int shown = 0;
    w.form->showReader = [&shown] { ++shown; };
    w.Find("DName")->setFocus();
    press(Qt::Key_Space);
    auto* list = w.CardList();
    list->setFocus();
    list->selectQuietly(0);
    press(Qt::Key_Down);
    QCOMPARE(list->selectedRow(), 1);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.platform.clipboard, QStringLiteral("Golani Commando"));
    press(Qt::Key_Return);
    QCOMPARE(shown, 1);
    QCOMPARE(w.session.SelectedCardName, std::string("Golani Commando"));
  }

  void theCardListSaysWhatItShows() {
    Window w;
    auto* heading = w.Find<quillet::ElidedLabel>("CardListHeading");
    QCOMPARE(heading->text(), QString());
    w.Open(WholeDeck());
    // The cards as Total counts them, the HQ apart.
    QCOMPARE(heading->text(), QStringLiteral("Deck: 24 cards and the HQ in 14 lines"));
    QCOMPARE(w.field("TotalAmount")->text(), QStringLiteral("24"));
    QTest::mouseDClick(w.field("BaseAmount"), Qt::LeftButton);
    QCOMPARE(heading->text(), QStringLiteral("Bases: 8 copies in 4 lines"));
    QVERIFY(!heading->elided());
    QCOMPARE(heading->toolTip(), QString());
    // A heading wider than the list is elided and shows whole in its tip.
    auto* costBox = w.Find<QComboBox>("CostBox");
    costBox->setCurrentText(QStringLiteral("Interventions"));
    emit costBox->textActivated(QStringLiteral("Interventions"));
    QTest::mouseDClick(w.field("MilCost"), Qt::LeftButton);
    QVERIFY(
        heading->text().startsWith(QStringLiteral("Military deployment cost for Interventions: ")));
    QVERIFY(heading->elided());
    QCOMPARE(heading->toolTip(), heading->text());
    w.form->resize(1280, 700);
    QTRY_VERIFY(!heading->elided());
    QCOMPARE(heading->toolTip(), QString());
    // A failed deck leaves nothing to name.
    w.Open(DeckBytes({"two\tSupply Depot"}), "bad.txt");
    QCOMPARE(heading->text(), QString());
  }

  void longNamesAreElidedAndShownWholeInTheirTip() {
    Window w;
    const QString path = w.Open(WholeDeck(),
                                "a deck with a name far too long to be shown in "
                                "the deck name field of the main window.txt");
    auto* name = w.Find<quillet::NameEdit>("DName");
    auto* hq = w.Find<quillet::NameEdit>("HQType");
    QCOMPARE(name->text(), path);  // the text itself stays whole
    QVERIFY(name->elided());
    QCOMPARE(name->toolTip(), path + QStringLiteral("\nDouble click to see deck"));
    QVERIFY(hq->elided());  // "Golani Special Forces HQ" in bold
    QCOMPARE(hq->toolTip(),
             QStringLiteral("Golani Special Forces HQ\nDouble click to see all HQ cards"));
    w.form->resize(1280, 700);
    QTRY_VERIFY(!hq->elided());
    QCOMPARE(hq->toolTip(), QStringLiteral("Double click to see all HQ cards"));
  }

  void layout_data() {
    QTest::addColumn<QSize>("size");  // empty: the default size
    QTest::newRow("default") << QSize();
    QTest::newRow("wide") << QSize(1280, 560);
    QTest::newRow("tall") << QSize(708, 900);
    QTest::newRow("1280 x 800") << QSize(1280, 800);
  }
  void layout() {
    QFETCH(QSize, size);
    Window w;
    w.Open(WholeDeck());
    const QSize least = w.form->size();
    QCOMPARE(least, w.form->minimumSize());
    QCOMPARE(w.form->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    QVERIFY(!(w.form->windowFlags() & Qt::CustomizeWindowHint));
    if (size.isValid()) w.form->resize(size);
    QTRY_COMPARE(w.form->size(), size.isValid() ? size : least);
    QApplication::processEvents();
    const QSize grown = w.form->size() - least;

    // The client fills the window without scrolling, and the regions take
    // the room as the rules say.
    auto* client = w.Find<QScrollArea>("ClientScroller");
    QVERIFY(!client->horizontalScrollBar()->isVisible());
    QVERIFY(!client->verticalScrollBar()->isVisible());
    QCOMPARE(w.Find("GroupBox3")->size(), QSize(401, 232));
    QCOMPARE(w.Find("DName")->height(), 21);
    QCOMPARE(w.Find("AnalyzeButton")->size(), QSize(60, 25));
    QCOMPARE(w.Find("CardList")->width(), 161 + grown.width());
    QCOMPARE(w.Find("ProblemBox")->width(), 569 + grown.width());
    QVERIFY2(w.Find("CardList")->height() >= 227 + grown.height() / 3,
             qPrintable(QString::number(w.Find("CardList")->height())));
    QVERIFY(w.Find("ProblemBox")->height() >= 71 + grown.height() / 5);
    QVERIFY(w.Find("HQType")->font().bold());
    QVERIFY(!w.Find("CardListName")->isVisible());
    for (const char* name : {"MilImage", "CovImage", "CybImage"}) {
      QVERIFY2(!w.Find<QLabel>(name)->pixmap().isNull(), name);
    }
    // The keyword rows scroll only while they are too narrow to show whole:
    // never at 1280 pixels.
    for (const char* name : {"AssetScroller", "EnhanceScroller"}) {
      auto* row = w.Find<QScrollArea>(name);
      QCOMPARE(row->horizontalScrollBar()->isVisible(), w.form->width() < 1280);
    }
    QCOMPARE(w.Find<QScrollArea>("DomainScroller")->verticalScrollBar()->isVisible(),
             grown.height() < 100);

    // Every figure and its caption shows; once the window is wide and tall
    // enough all show whole, and none overlaps another anywhere.
    QCOMPARE(MasterFields().size(), quillet::FieldPlaces().size());
    QList<QWidget*> controls;
    for (const auto& field : MasterFields()) {
      FigureField* edit = w.form->field(field.name);
      QVERIFY2(edit != nullptr && edit->isVisible(), field.name.data());
      QCOMPARE(edit->size(), QSize(edit->width(), 21));
      controls << edit;
      const QString caption = edit->objectName() + QStringLiteral("Label");
      if (auto* label = w.form->findChild<QLabel*>(caption)) controls << label;
      if (size == QSize(1280, 800)) {
        QCOMPARE(edit->visibleRegion().boundingRect(), edit->rect());
      }
    }
    for (QWidget* other : {w.Find("CostBox"), w.Find("AssetSwitch"), w.Find("CardList"),
                           w.Find("ProblemBox"), w.Find("DName"), w.Find("HQType")}) {
      controls << other;
    }
    const auto shown = [&w](QWidget* control) {
      const QRect seen = control->visibleRegion().boundingRect();
      return QRect(control->mapTo(w.form.get(), seen.topLeft()), seen.size());
    };
    for (qsizetype i = 0; i < controls.size(); ++i) {
      for (qsizetype j = i + 1; j < controls.size(); ++j) {
        const QRect a = shown(controls[i]);
        const QRect b = shown(controls[j]);
        QVERIFY2(!a.intersects(b), qPrintable(QStringLiteral("%1 %2 / %3 %4")
                                                  .arg(controls[i]->objectName())
                                                  .arg(Text(a))
                                                  .arg(controls[j]->objectName())
                                                  .arg(Text(b))));
      }
    }
    SaveShot(
        w, qPrintable(
               QStringLiteral("main-window-%1x%2.png").arg(w.form->width()).arg(w.form->height())));
  }

  void theWindowIsNeverSmallerThanItsDefault() {
    Window w;
    const QSize least = w.form->size();
    w.form->resize(600, 400);
    QTRY_COMPARE(w.form->size(), least);
  }

  void screenshotsOfTheMainStates() {
    Window w;
    w.Open(WholeDeck());
    auto* domains = w.Find<QScrollArea>("DomainScroller");
    domains->verticalScrollBar()->setValue(domains->verticalScrollBar()->maximum());
    QVERIFY(domains->verticalScrollBar()->maximum() > 0);
    QVERIFY(!w.field("TranscendAmount")->visibleRegion().isEmpty());
    SaveShot(w, "main-window-domains.png");
    QTest::mouseDClick(w.field("HighFP"), Qt::LeftButton);
    QTest::mouseClick(w.CardList()->viewport(), Qt::LeftButton, {}, w.LinePoint(0));
    SaveShot(w, "main-window-drilldown.png");
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
