// The charts window over a main window and a card database built from the
// sample card list: it follows every analysis and clears on a failed one, a
// shortfall stands out, a bar's click fills the main window's card list and
// names the list, and a chart saves as PNG and SVG and copies. With
// QUILLET_SCREENSHOT_DIR set it leaves a picture of the window there.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QImage>
#include <QLegendMarker>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "core/analysis/session.h"
#include "core/charts/deck_figures.h"
#include "core/import/card_data_update.h"
#include "gui/charts/charts_panel.h"
#include "gui/main_window/card_list_box.h"
#include "gui/main_window/main_window.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using quillet::ChartsPanel;
using quillet::MainWindow;

namespace {

struct Windows {
  Windows() : session(dir.path()) {
    quillet::UpdateCardData(session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                            quillet::UpdateOptions{});
    master = std::make_unique<MainWindow>(document, platform);
    charts = std::make_unique<ChartsPanel>(*master, platform);
    charts->show();
  }

  void Open(const char* sample) {
    platform.openAnswers.push_back(QStringLiteral(QUILLET_SOURCE_DIR "/samples/decks/") +
                                   QString::fromLatin1(sample));
    master->openDeck();
  }

  QChart* Chart(const char* name) const {
    auto* view = charts->findChild<QChartView*>(QString::fromLatin1(name));
    return view ? view->chart() : nullptr;
  }
  QList<QBarSet*> Sets(const char* name) const {
    const auto series = Chart(name)->series();
    if (series.isEmpty()) return {};
    return static_cast<QAbstractBarSeries*>(series.constFirst())->barSets();
  }
  QList<qreal> Values(QBarSet* set) const {
    QList<qreal> values;
    for (int i = 0; i < set->count(); ++i) values << set->at(i);
    return values;
  }

  quillet::test::TempDir dir;
  quillet::Session session;
  quillet::test::ScriptedPlatform platform;
  quillet::DeckDocument document{session, platform};
  std::unique_ptr<MainWindow> master;
  std::unique_ptr<ChartsPanel> charts;
};

}  // namespace

class ChartsPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void followsEveryAnalysisAndClearsOnAFailedOne() {
    Windows w;
    QVERIFY(!w.charts->hasDeck());
    QVERIFY(w.Sets("CostCurveChart").isEmpty());
    QVERIFY(!w.charts->findChild<QPushButton*>(QStringLiteral("SaveChartButton"))->isEnabled());

    w.Open("un-golani.txt");
    QVERIFY(w.charts->hasDeck());
    const quillet::DeckFigures figures = quillet::ComputeDeckFigures(w.master->view().Analysis());
    const auto curve = w.Sets("CostCurveChart");
    QCOMPARE(curve.size(), 4);
    for (int t = 0; t < 4; ++t) {
      for (int b = 0; b < quillet::kCostBuckets; ++b) {
        QCOMPARE(curve[t]->at(b),
                 static_cast<qreal>(figures.costCurve.copies[static_cast<std::size_t>(t)]
                                                            [static_cast<std::size_t>(b)]));
      }
    }
    const auto resources = w.Sets("ResourcesChart");
    QCOMPARE(
        w.Values(resources[0]),
        (QList<qreal>{static_cast<qreal>(w.master->document().analysis().stats.TotalMilAmount),
                      static_cast<qreal>(w.master->document().analysis().stats.TotalCovAmount),
                      static_cast<qreal>(w.master->document().analysis().stats.TotalCybAmount)}));

    w.Open("not-a-deck.txt");
    QVERIFY(!w.charts->hasDeck());
    for (const char* chart : {"ResourcesChart", "CostCurveChart", "TypeChart", "DomainChart"}) {
      QVERIFY2(w.Sets(chart).isEmpty(), chart);
    }
    w.Open("topdeck-heavy.txt");
    QVERIFY(w.charts->hasDeck());
  }

  void theDomainChartCountsWhatTheDomainFiguresCount() {
    Windows w;
    w.Open("monastery-bion.txt");
    auto* assetsOnly = w.master->findChild<QCheckBox*>(QStringLiteral("AssetSwitch"));
    QVERIFY(assetsOnly);
    for (const bool checked : {true, false}) {
      if (assetsOnly->isChecked() != checked) QTest::mouseClick(assetsOnly, Qt::LeftButton);
      QCOMPARE(assetsOnly->isChecked(), checked);
      const QList<qreal> bars = w.Values(w.Sets("DomainChart").at(0));
      QCOMPARE(bars.at(2), static_cast<qreal>(w.master->view().FieldValue("MonasAmount")));
      QCOMPARE(w.Chart("DomainChart")->title(),
               checked ? QStringLiteral("Assets by domain") : QStringLiteral("Copies by domain"));
    }
    QVERIFY(w.master->view().FieldValue("MonasAmount") >
            static_cast<int>(w.master->document().analysis().stats.AssetMonasAmount));
  }

  void aShortfallStandsOut() {
    Windows w;
    w.Open("corporate-missing-cards.txt");
    const QBarSet* cost = w.Sets("ResourcesChart").at(1);
    QVERIFY(!cost->isBarSelected(0));
    QVERIFY(cost->isBarSelected(1));  // Covert: nothing produced
    QVERIFY(!cost->isBarSelected(2));
    QCOMPARE(cost->selectedColor(), QColor(QStringLiteral("#d33b2c")));
    // The legend names the red bar as the report's chart does, in its red.
    QStringList legend;
    QColor shortfall;
    for (QLegendMarker* marker : w.Chart("ResourcesChart")->legend()->markers()) {
      legend << marker->label();
      if (marker->label() == QStringLiteral("Shortfall")) shortfall = marker->brush().color();
    }
    QCOMPARE(legend, (QStringList{"Production", "Deployment cost (all cards)", "Shortfall"}));
    QCOMPARE(shortfall, QColor(QStringLiteral("#d33b2c")));
  }

  void aBarClickListsItsCardsInTheMainWindow() {
    Windows w;
    w.Open("un-golani.txt");
    QSignalSpy shown(w.master.get(), &MainWindow::listShown);
    // The first non-empty asset bucket of the cost curve.
    QBarSet* assets = w.Sets("CostCurveChart").at(0);
    int bucket = 0;
    while (bucket < assets->count() && assets->at(bucket) == 0) ++bucket;
    QVERIFY(bucket < assets->count());
    emit assets->clicked(bucket);
    QCOMPARE(shown.count(), 1);
    const auto& model = w.master->view();
    QCOMPARE(model.ShownList(), "Cost" + std::to_string(bucket) + "Asset");
    qreal copies = 0;
    for (const auto& entry : model.CardListEntries()) copies += entry.Count;
    QCOMPARE(copies, assets->at(bucket));
    auto* list = w.master->findChild<quillet::CardListBox*>(QStringLiteral("CardList"));
    QCOMPARE(list->lines().size(), static_cast<qsizetype>(model.CardList().size()));
    // Save List proposes the bar's name.
    w.platform.saveAnswers.push_back(std::nullopt);
    w.master->saveList();
    QCOMPARE(w.platform.saveRequests.back().fileName,
             QStringLiteral("Cost%1AssetList.txt").arg(bucket));

    // The make-up's domain bars and the resources' cost bars list too.
    emit w.Sets("DomainChart").at(0)->clicked(0);
    QCOMPARE(model.ProposedFileName(), "UNDomainList.txt");
    emit w.Sets("ResourcesChart").at(1)->clicked(0);
    QCOMPARE(model.ProposedFileName(), "MilitaryCostList.txt");
    QVERIFY(!model.CardList().empty());
  }

  void savesPngAndSvgAndCopies() {
    Windows w;
    w.Open("corporate-missing-cards.txt");
    QVERIFY(QTest::qWaitForWindowExposed(w.charts.get()));
    const QString png = QString::fromStdString(w.dir.File("chart.png"));
    const QString svg = QString::fromStdString(w.dir.File("chart.svg"));
    w.platform.saveAnswers = {png};
    w.charts->saveChart();
    QCOMPARE(w.platform.saveRequests.back().fileName, QStringLiteral("Resources.png"));
    QImage picture(png);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), w.charts->shownChart()->grab().size());

    w.charts->findChild<QTabWidget*>(QStringLiteral("ChartTabs"))->setCurrentIndex(1);
    w.platform.saveAnswers = {svg};
    w.charts->saveChart();
    QCOMPARE(w.platform.saveRequests.back().fileName, QStringLiteral("CostCurve.png"));
    QFile drawing(svg);
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    const QByteArray text = drawing.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains("Cost curve"));

    w.charts->copyChart();
    QVERIFY(!w.platform.clipboardImage.isNull());
    QVERIFY(w.platform.messages.filter(QStringLiteral("Cannot write")).isEmpty());

    const QByteArray dir = qgetenv("QUILLET_SCREENSHOT_DIR");
    auto* tabs = w.charts->findChild<QTabWidget*>(QStringLiteral("ChartTabs"));
    const char* names[] = {"charts.png", "charts-cost-curve.png", "charts-make-up.png"};
    for (int tab = 0; tab < 3 && !dir.isEmpty(); ++tab) {
      tabs->setCurrentIndex(tab);
      w.charts->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + names[tab]);
    }
    tabs->setCurrentIndex(0);
  }
};

QTEST_MAIN(ChartsPanelTest)
#include "charts_panel_test.moc"
