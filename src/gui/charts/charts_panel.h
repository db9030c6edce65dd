// The charts window: the deck's resources, cost curve and make-up drawn with
// Qt Charts from the core's figures. It follows the main window: every
// analysis redraws it and a failed one clears it. A click on a bar fills the
// main window's card list with the cards behind the bar; the shown chart can
// be saved as PNG or SVG and copied to the clipboard.
#pragma once

#include <QWidget>
#include <array>

#include "core/charts/deck_figures.h"
#include "gui/platform/platform.h"

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTabWidget;

namespace quillet {

class MainWindow;

class ChartsPanel : public QWidget {
  Q_OBJECT

 public:
  ChartsPanel(MainWindow& master, Platform& platform, QWidget* parent = nullptr);

  // Draws the figures of the deck the main window shows, or clears the
  // charts when it shows none.
  void refresh();
  // What a click on a bar does.
  void showBarList(const ChartBar& bar);
  void saveChart();
  void copyChart();

  // The page of the chart on show: what Save and Copy take.
  QWidget* shownChart() const;
  bool hasDeck() const { return hasDeck_; }

 private:
  void drawResources(const DeckFigures& figures);
  void drawCostCurve(const DeckFigures& figures);
  void drawMakeUp(const DeckFigures& figures);
  void clear();

  MainWindow& master_;
  Platform& platform_;
  bool hasDeck_ = false;
  QTabWidget* tabs_ = nullptr;
  QChartView* resources_ = nullptr;
  QChartView* costCurve_ = nullptr;
  QChartView* byType_ = nullptr;
  QChartView* byDomain_ = nullptr;
  QWidget* makeUp_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* copy_ = nullptr;
};

}  // namespace quillet
