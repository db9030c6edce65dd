// The Draw Odds and Sample Hand windows inside the whole application, over a
// card database built from the sample card list and the top-deck-heavy
// sample deck: they follow analyses, drill-downs and card list clicks, are
// cleared when an analysis fails, name their group, deal reproducibly from a
// typed seed, draw on, and open the reader. QUILLET_SCREENSHOT_DIR, when set,
// receives a picture of each window.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <sstream>

#include "app/application.h"
#include "core/analysis/field_names.h"
#include "core/analysis/main_view.h"
#include "core/import/card_data_update.h"
#include "core/odds/draw_odds.h"
#include "gui/main_window/card_list_box.h"
#include "gui/platform/card_text_codec.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

std::string SampleDeck() {
  std::ifstream file(QUILLET_SOURCE_DIR "/samples/decks/topdeck-heavy.txt", std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

struct App {
  App() {
    UpdateCardData(probe.db, QUILLET_SOURCE_DIR "/samples/cards.txt", UpdateOptions{});
    app = std::make_unique<Application>(dir.path(), platform);
    app->master.show();
  }

  void Open(const std::string& bytes, const char* name = "deck.txt") {
    platform.openAnswers.push_back(QString::fromStdString(dir.Write(name, bytes)));
    app->master.openDeck();
  }
  template <typename T>
  T* In(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QString Cell(int row, int column) {
    const QTableWidgetItem* item =
        In<QTableWidget>(app->drawOdds(), "OddsTable")->item(row, column);
    return item ? item->text() : QString();
  }
  QStringList Hand() {
    QStringList lines;
    auto* list = In<QListWidget>(app->sampleHand(), "HandList");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  // The hand the core deals for `seed` and the lines the window should show for it.
  QStringList Expected(std::uint64_t seed, std::size_t cards) {
    const auto dealt = DealPile(DeckPile::FromAnalysis(app->master.view().Analysis()), seed);
    QStringList lines;
    for (std::size_t i = 0; i < cards && i < dealt.size(); ++i) {
      const QString place =
          i < 8 ? QStringLiteral("%1.").arg(i + 1) : QStringLiteral("+%1").arg(i - 7);
      lines << place.leftJustified(5) + FromCardBytes(dealt[i].Name) +
                   (dealt[i].TopDeck ? QStringLiteral("  [top deck]") : QString());
    }
    return lines;
  }
  void Shot(QWidget& window, const char* name) {
    const QByteArray folder = qgetenv("QUILLET_SCREENSHOT_DIR");
    if (!folder.isEmpty()) window.grab().save(QString::fromUtf8(folder) + '/' + name);
  }

  test::TempDir dir;
  Session probe{dir.path()};  // builds the data files the application then reads
  test::ScriptedPlatform platform;
  std::unique_ptr<Application> app;
};

}  // namespace

class OddsWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void drawOddsFollowsTheMainWindow() {
    App a;
    DrawOddsPanel& odds = a.app->drawOdds();
    a.In<QAction>(a.app->master, "DrawOdds1")->trigger();
    QVERIFY(odds.isVisible());
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds"));

    a.Open(SampleDeck());
    QVERIFY2(a.platform.messages.isEmpty(), qPrintable(a.platform.messages.join('\n')));
    const MainView& model = a.app->document.view();
    const auto check = [&](const OddsGroup& group) {
      const auto rows = DrawOddsTable(group);
      for (int r : {0, 5, 12}) {
        for (int k = 0; k < 4; ++k) {
          QCOMPARE(a.Cell(r, k),
                   QString::fromStdString(PerMilleText(
                       rows[static_cast<std::size_t>(r)].AtLeast[static_cast<std::size_t>(k)])) +
                       QStringLiteral(" %"));
        }
      }
    };
    // Before any figure is touched the table is about the assets.
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - Assets"));
    check(*FigureOddsGroup(model.Analysis(), "AssetAmount"));
    a.Shot(odds, "draw-odds.png");

    a.app->master.showFieldList("TopDeckAmount");
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - Top deck cards"));
    check(*FigureOddsGroup(model.Analysis(), "TopDeckAmount"));
    QCOMPARE(a.Cell(0, 0), QStringLiteral("100.0 %"));

    auto* list = a.In<CardListBox>(a.app->master, "CardList");
    list->setCurrentRow(1);
    a.app->master.selectCardLine();
    const std::string card = model.CardListEntries()[1].Name;
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - ") + FromCardBytes(card));
    check(CardOddsGroup(model.Analysis(), a.app->document.db(), card));

    // A new analysis keeps the group and follows the new deck.
    a.Open("2\tAmbush Team\n9\tBorder Town\n");
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - ") + FromCardBytes(card));
    check(CardOddsGroup(model.Analysis(), a.app->document.db(), card));

    a.Open("-1\tAmbush Team\n9\tBorder Town\n");
    auto* pages = a.In<QStackedWidget>(odds, "OddsPages");
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("OddsNotice"));
    QCOMPARE(a.In<QLabel>(odds, "OddsNotice")->text(),
             QStringLiteral("Odds need a deck without negative card counts."));

    a.Open("10001\tBorder Town\n");
    QCOMPARE(a.In<QLabel>(odds, "OddsNotice")->text(),
             QStringLiteral("Odds need a deck of at most 10,000 cards."));

    a.Open(SampleDeck());
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("OddsTable"));
    // The failure is read over an emptied odds window, as over the emptied
    // main window.
    QString titleAtMessage;
    a.platform.onMessage = [&](const QString&) { titleAtMessage = odds.windowTitle(); };
    a.Open("this is\tno deck\n", "broken.txt");
    QCOMPARE(a.platform.messages.size(), 1);
    QCOMPARE(titleAtMessage, QStringLiteral("Draw Odds"));
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("OddsNotice"));
    QCOMPARE(a.Cell(0, 0), QString());
  }

  // Every figure whose list opens names the window and the heading in
  // words: its caption without the colon, or what the window shows beside a
  // resource box; the cost kind in use is part of a cost's name.
  void everyFigureNamesItsGroup() {
    App a;
    DrawOddsPanel& odds = a.app->drawOdds();
    a.Open(SampleDeck());
    const MainView& model = a.app->document.view();
    int named = 0;
    for (const MasterField& field : MasterFields()) {
      a.app->master.showFieldList(field.name);
      if (model.ShownList() != field.name) continue;
      const QString name = FromCardBytes(FieldDisplayName(field.name, model.CostBoxText()));
      QVERIFY2(!name.isEmpty() && !name.endsWith(':'), field.name.data());
      QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - ") + name);
      QVERIFY(a.In<QLabel>(odds, "GroupLabel")->text().startsWith("<b>" + name + "</b>: "));
      ++named;
    }
    QVERIFY(named > 40);
    a.app->master.showFieldList("AntiTerAmount");
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - AT"));
    a.app->master.showFieldList("TotalMilAmount");
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - Military production"));
    a.app->master.showFieldList("CovCost");
    QCOMPARE(odds.windowTitle(),
             QStringLiteral("Draw Odds - Covert deployment cost for All cards"));
  }

  // A card of one deck is no group of the next: after another deck opens,
  // the window shows what that deck's main window shows.
  void anotherDeckStartsTheGroupOver() {
    App a;
    DrawOddsPanel& odds = a.app->drawOdds();
    a.Open(SampleDeck(), "first.txt");
    auto* list = a.In<CardListBox>(a.app->master, "CardList");
    list->setCurrentRow(1);
    a.app->master.selectCardLine();
    QVERIFY(odds.windowTitle() != QStringLiteral("Draw Odds - Assets"));
    a.Open("2\tAmbush Team\n9\tBorder Town\n", "second.txt");
    QCOMPARE(odds.windowTitle(), QStringLiteral("Draw Odds - Assets"));
    QVERIFY(a.In<QLabel>(odds, "GroupLabel")->text().startsWith("<b>Assets</b>: "));
  }

  void sampleHandDealsReproduciblyAndOpensTheReader() {
    App a;
    SampleHandPanel& hand = a.app->sampleHand();
    std::uint64_t nextSeed = 1234;
    hand.newSeed = [&] { return nextSeed; };
    a.In<QAction>(a.app->master, "SampleHand1")->trigger();
    QVERIFY(hand.isVisible());
    auto* draw = a.In<QPushButton>(hand, "DrawButton");
    QVERIFY(!draw->isEnabled());

    a.Open(SampleDeck());
    auto* seed = a.In<QLineEdit>(hand, "SeedEdit");
    QCOMPARE(seed->text(), QStringLiteral("1234"));
    QCOMPARE(a.Hand(), a.Expected(1234, 8));
    QVERIFY(a.Hand().join('\n').contains(QStringLiteral("[top deck]")));

    // The box takes the seeds the command line takes: the largest deals,
    // one more deals nothing and says why.
    seed->clear();
    QTest::keyClicks(seed, QStringLiteral("18446744073709551615"));
    QCOMPARE(a.Hand(), a.Expected(18446744073709551615u, 8));
    seed->clear();
    QTest::keyClicks(seed, QStringLiteral("184467440737095516169"));
    QCOMPARE(seed->text(), QStringLiteral("18446744073709551616"));
    QVERIFY(a.Hand().isEmpty());
    QCOMPARE(a.In<QLabel>(hand, "HandStatus")->text(),
             QStringLiteral("A seed is a number from 0 to 18446744073709551615."));
    QVERIFY(!draw->isEnabled());

    // Typing a seed deals its hand; Draw adds the next cards.
    seed->clear();
    QTest::keyClicks(seed, QStringLiteral("42"));
    QCOMPARE(a.Hand(), a.Expected(42, 8));
    QTest::mouseClick(draw, Qt::LeftButton);
    QTest::mouseClick(draw, Qt::LeftButton);
    QCOMPARE(a.Hand(), a.Expected(42, 10));
    a.Shot(hand, "sample-hand.png");

    nextSeed = 77;
    QTest::mouseClick(a.In<QPushButton>(hand, "NewHandButton"), Qt::LeftButton);
    QCOMPARE(seed->text(), QStringLiteral("77"));
    QCOMPARE(a.Hand(), a.Expected(77, 8));

    // Drawing stops at the end of the pile.
    a.Open("3\tAmbush Team\n6\tBorder Town\n");
    QCOMPARE(a.Hand().size(), 8);
    QTest::mouseClick(draw, Qt::LeftButton);
    QCOMPARE(a.Hand().size(), 9);
    QVERIFY(!draw->isEnabled());

    // A double click opens the card in the reader.
    auto* list = a.In<QListWidget>(hand, "HandList");
    list->setCurrentRow(2);
    // As a user's: a click, then the double click.
    const QPoint point = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
    QVERIFY(a.app->reader.isVisible());
    QVERIFY(!a.app->session.SelectedCardName.empty());
    QVERIFY(list->item(2)->text().contains(FromCardBytes(a.app->session.SelectedCardName)));

    a.Open("this is\tno deck\n", "broken.txt");
    QVERIFY(a.Hand().isEmpty());
    QVERIFY(seed->text().isEmpty());
    QVERIFY(!draw->isEnabled());
  }
};

QTEST_MAIN(OddsWindowsTest)
#include "odds_windows_test.moc"
