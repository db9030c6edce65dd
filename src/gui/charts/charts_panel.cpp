#include "gui/charts/charts_panel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QKeySequence>
#include <QLabel>
#include <QLegendMarker>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QShortcut>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <stdexcept>

#include "core/report/report_svg.h"
#include "gui/main_window/main_window.h"
#include "gui/platform/close_keys.h"

namespace quillet {
namespace {

QColor Colour(std::string_view hex) {
  return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

QString Word(std::string_view word) {
  return QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}

QChartView* ChartView(const char* name, const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* view = new QChartView(chart);
  view->setObjectName(QString::fromLatin1(name));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(320, 260);
  // A screen reader reads the chart's title; the drawing area takes the
  // focus too and is named the same.
  view->setAccessibleName(title);
  view->viewport()->setAccessibleName(title);
  return view;
}

void ResetChart(QChart* chart) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
}

// Category and value axes for a bar series; the value axis starts at 0 and
// counts whole copies.
void AddAxes(QChart* chart, QAbstractBarSeries* series, const QStringList& categories, qint64 top,
             bool horizontal = false) {
  auto* x = new QBarCategoryAxis;
  x->append(categories);
  chart->addAxis(x, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
  series->attachAxis(x);
  auto* y = new QValueAxis;
  y->setRange(0, static_cast<double>(std::max<qint64>(top, 1)) * 1.1);
  y->setLabelFormat(QStringLiteral("%d"));
  y->applyNiceNumbers();
  chart->addAxis(y, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
  series->attachAxis(y);
}

}  // namespace

ChartsPanel::ChartsPanel(MainWindow& master, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), master_(master), platform_(platform) {
  setObjectName(QStringLiteral("ChartsForm"));
  CloseOnKeys(*this);
  setWindowTitle(QStringLiteral("Charts"));
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("ChartTabs"));
  tabs_->setAccessibleName(QStringLiteral("Charts"));
  tabs_->tabBar()->setAccessibleName(QStringLiteral("Charts"));
  resources_ = ChartView("ResourcesChart", QStringLiteral("Resources"));
  costCurve_ = ChartView("CostCurveChart", QStringLiteral("Cost curve"));
  byType_ = ChartView("TypeChart", QStringLiteral("Copies by type"));
  byDomain_ = ChartView("DomainChart", QStringLiteral("Copies by domain"));
  makeUp_ = new QWidget;
  makeUp_->setObjectName(QStringLiteral("MakeUpChart"));
  auto* makeUpLayout = new QHBoxLayout(makeUp_);
  makeUpLayout->setContentsMargins(0, 0, 0, 0);
  makeUpLayout->addWidget(byType_);
  makeUpLayout->addWidget(byDomain_);
  tabs_->addTab(resources_, QStringLiteral("&Resources"));
  tabs_->addTab(costCurve_, QStringLiteral("Cost c&urve"));
  tabs_->addTab(makeUp_, QStringLiteral("&Make-up"));

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("ChartStatus"));
  save_ = new QPushButton(QStringLiteral("&Save Chart..."), this);
  save_->setObjectName(QStringLiteral("SaveChartButton"));
  copy_ = new QPushButton(QStringLiteral("&Copy Chart"), this);
  copy_->setObjectName(QStringLiteral("CopyChartButton"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("CloseChartsButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(save_);
  buttons->addWidget(copy_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  resize(760, 520);

  // The keys act within the charts, docked or not, and leave the main
  // window's own Copy and Save alone.
  auto* copyKey = new QShortcut(QKeySequence::Copy, this);
  copyKey->setObjectName(QStringLiteral("CopyChartShortcut"));
  copyKey->setContext(Qt::WidgetWithChildrenShortcut);
  auto* saveKey = new QShortcut(QKeySequence::Save, this);
  saveKey->setObjectName(QStringLiteral("SaveChartShortcut"));
  saveKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(save_, &QPushButton::clicked, this, &ChartsPanel::saveChart);
  connect(saveKey, &QShortcut::activated, this, &ChartsPanel::saveChart);
  connect(copy_, &QPushButton::clicked, this, &ChartsPanel::copyChart);
  connect(copyKey, &QShortcut::activated, this, &ChartsPanel::copyChart);
  connect(close, &QPushButton::clicked, this, [this] { CloseWindowOrPanel(*this); });
  connect(&master_.document(), &DeckDocument::changed, this, &ChartsPanel::refresh);
  // "Count assets only" changes what the domain bars count.
  connect(&master_, &MainWindow::switchesChanged, this, &ChartsPanel::refresh);
  refresh();
}

QWidget* ChartsPanel::shownChart() const {
  return tabs_->currentWidget();
}

void ChartsPanel::clear() {
  hasDeck_ = false;
  for (QChartView* view : {resources_, costCurve_, byType_, byDomain_}) ResetChart(view->chart());
  status_->setText(QStringLiteral("No deck analysed."));
  save_->setEnabled(false);
  copy_->setEnabled(false);
}

void ChartsPanel::refresh() {
  clear();
  if (!master_.document().isOpen()) return;
  DeckFigures figures;
  try {
    figures = ComputeDeckFigures(master_.document().analysis());
  } catch (const std::exception& error) {
    status_->setText(QString::fromUtf8(error.what()));
    return;
  }
  drawResources(figures);
  drawCostCurve(figures);
  drawMakeUp(figures);
  hasDeck_ = true;
  status_->setText(QStringLiteral("Click a bar to list its cards in the main window."));
  save_->setEnabled(true);
  copy_->setEnabled(true);
}

void ChartsPanel::drawResources(const DeckFigures& figures) {
  QChart* chart = resources_->chart();
  auto* production = new QBarSet(QStringLiteral("Production"));
  auto* cost = new QBarSet(QStringLiteral("Deployment cost (all cards)"));
  production->setColor(Colour(kProductionColour));
  cost->setColor(Colour(kCostColour));
  for (QBarSet* set : {production, cost}) set->setLabelColor(Qt::black);
  // A shortfall is the cost bar in red and the resource's name saying it.
  cost->setSelectedColor(Colour(kShortfallColour));
  QStringList categories;
  qint64 top = 0;
  for (std::size_t i = 0; i < figures.resources.size(); ++i) {
    const ResourceBar& r = figures.resources[i];
    *production << r.production;
    *cost << r.cost;
    top = std::max<qint64>({top, r.production, r.cost});
    QString name = Word(kResourceWords[i]);
    if (r.Shortfall()) {
      name += QStringLiteral(" (short by %1)").arg(qint64{r.cost} - r.production);
      cost->selectBar(static_cast<int>(i));
    }
    categories << name;
  }
  auto* series = new QBarSeries;
  series->append(production);
  series->append(cost);
  series->setLabelsVisible(true);
  series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  chart->addSeries(series);
  AddAxes(chart, series, categories, top);
  // The red cost bar is named in the legend, as in the report's chart. A
  // series without points or axes adds only the legend entry; not a bar
  // series, which would take a bar's room beside every category.
  auto* shortfall = new QScatterSeries;
  shortfall->setName(QStringLiteral("Shortfall"));
  shortfall->setColor(Colour(kShortfallColour));
  shortfall->setBorderColor(Colour(kShortfallColour));
  chart->addSeries(shortfall);
  for (int part = 0; part < 2; ++part) {
    connect(series->barSets()[part], &QBarSet::clicked, this, [this, part](int index) {
      showBarList({FigureChart::kResources, index, part});
    });
  }
}

void ChartsPanel::drawCostCurve(const DeckFigures& figures) {
  QChart* chart = costCurve_->chart();
  auto* series = new QStackedBarSeries;
  for (std::size_t t = 0; t < kCostedTypeWords.size(); ++t) {
    auto* set = new QBarSet(Word(kCostedTypeWords[t]));
    set->setColor(Colour(kTypeColours[t]));
    set->setLabelColor(Qt::white);
    for (int b = 0; b < kCostBuckets; ++b) {
      *set << static_cast<qreal>(figures.costCurve.copies[t][static_cast<std::size_t>(b)]);
    }
    series->append(set);
    const int part = static_cast<int>(t);
    connect(set, &QBarSet::clicked, this, [this, part](int index) {
      showBarList({FigureChart::kCostCurve, index, part});
    });
  }
  QStringList categories;
  qint64 top = 0;
  for (int b = 0; b < kCostBuckets; ++b) {
    categories << Word(kCostBucketLabels[static_cast<std::size_t>(b)]);
    top = std::max<qint64>(top, figures.costCurve.BucketTotal(b));
  }
  series->setLabelsVisible(true);
  chart->addSeries(series);
  AddAxes(chart, series, categories, top);
  chart->axes(Qt::Horizontal).constFirst()->setTitleText(QStringLiteral("Total deploy cost"));
}

void ChartsPanel::drawMakeUp(const DeckFigures& figures) {
  auto draw = [this](QChartView* view, int group, const auto& words, const auto& copies,
                     std::string_view colour) {
    auto* set = new QBarSet(QStringLiteral("Copies"));
    set->setColor(Colour(colour));
    set->setLabelColor(Qt::black);
    QStringList categories;
    qint64 top = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
      *set << static_cast<qreal>(copies[i]);
      categories << Word(words[i]);
      top = std::max<qint64>(top, copies[i]);
    }
    // Lying bars leave the names room to be read whole.
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    view->chart()->addSeries(series);
    view->chart()->legend()->setVisible(false);
    AddAxes(view->chart(), series, categories, top, /*horizontal=*/true);
    connect(set, &QBarSet::clicked, this, [this, group](int index) {
      showBarList({FigureChart::kMakeUp, group, index});
    });
  };
  draw(byType_, 0, kMakeUpTypeWords, figures.byType, kProductionColour);
  draw(byDomain_, 1, kMakeUpDomainWords, figures.byDomain, kTypeColours[3]);
  byDomain_->chart()->setTitle(figures.domainsOfAssetsOnly ? QStringLiteral("Assets by domain")
                                                           : QStringLiteral("Copies by domain"));
}

void ChartsPanel::showBarList(const ChartBar& bar) {
  master_.showList(
      [&bar](MainView& view, CardDatabase& db) { return ShowBarCards(view, db, bar); });
}

void ChartsPanel::saveChart() {
  if (!hasDeck_) return;
  try {
    static const char* kNames[] = {"Resources", "CostCurve", "MakeUp"};
    FileDialogOptions options;
    options.title = QStringLiteral("Save Chart");
    options.fileName = QString::fromLatin1(kNames[std::clamp(tabs_->currentIndex(), 0, 2)]) +
                       QStringLiteral(".png");
    options.filter = QStringLiteral("PNG picture|*.png|SVG drawing|*.svg");
    options.defaultSuffix = QStringLiteral("png");
    const std::optional<QString> path = platform_.getSaveFileName(this, options);
    if (!path || path->isEmpty()) return;
    BusyCursor busy(platform_);
    QWidget* chart = shownChart();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (QFileInfo(*path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(chart->size());
      svg.setViewBox(chart->rect());
      svg.setTitle(tabs_->tabText(tabs_->currentIndex()).remove(QLatin1Char('&')));
      QPainter painter(&svg);
      chart->render(&painter);
    } else {
      chart->grab().toImage().save(&buffer, "PNG");
    }
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
      throw std::runtime_error(
          QStringLiteral("Cannot write '%1': %2").arg(*path, file.errorString()).toStdString());
    }
  } catch (const std::exception& error) {
    platform_.showMessage(this, QString::fromUtf8(error.what()));
  }
}

void ChartsPanel::copyChart() {
  if (!hasDeck_) return;
  platform_.setClipboardImage(shownChart()->grab().toImage());
}

}  // namespace quillet
