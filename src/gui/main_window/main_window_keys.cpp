// The main window from the keyboard. Tab runs through every control in
// reading order: the deck's name and HQ type, the figures group by group (the
// type rows, the total, the domains with their switch, the figures box with
// its cost selector), the card list, the buttons and the problem box. The
// arrow keys, Home and End move between the figures of one group, and the
// focused control is scrolled into sight wherever a scroller hides it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <vector>

#include "gui/main_window/card_list_box.h"
#include "gui/main_window/field_places.h"
#include "gui/main_window/figure_field.h"
#include "gui/main_window/main_window.h"

namespace quillet {

void MainWindow::buildKeyboard() {
  std::vector<QWidget*> order = {DName, HQType};
  for (const FieldPlace& place : FieldPlaces()) {
    // The selector sets what the cost row shows, so it comes before it.
    if (place.name == "MilCost") order.push_back(CostBox);
    order.push_back(field(place.name));
    if (place.name == "TranscendAmount") order.push_back(AssetSwitch);
  }
  for (QWidget* control : {static_cast<QWidget*>(CardList), static_cast<QWidget*>(AnalyzeButton),
                           static_cast<QWidget*>(SaveButton), static_cast<QWidget*>(ReaderButton),
                           static_cast<QWidget*>(CloseButton), static_cast<QWidget*>(ProblemBox)}) {
    order.push_back(control);
  }
  for (QWidget* control : order) control->setFocusPolicy(Qt::StrongFocus);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  // Only a move of the focus within the program scrolls: the focus a window
  // gets back as it is activated (the Open button at the start) leaves the
  // form where it is, at its top when it opens.
  focusWatch_ =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old != nullptr) keepInSight(now);
      });
}

void MainWindow::stepField(const FigureField& from, FigureField::Step step) const {
  const FieldPlace* place = FindFieldPlace(from.objectName().toStdString());
  if (place == nullptr) return;
  std::vector<FigureField*> group;
  std::size_t at = 0;
  for (const FieldPlace& other : FieldPlaces()) {
    if (other.group != place->group) continue;
    if (other.name == place->name) at = group.size();
    group.push_back(field(other.name));
  }
  // The ends of a group hold: the group is a row or column on screen, and
  // the next group is Tab's to reach.
  switch (step) {
    case FigureField::Step::kPrevious:
      if (at > 0) --at;
      break;
    case FigureField::Step::kNext:
      if (at + 1 < group.size()) ++at;
      break;
    case FigureField::Step::kFirst:
      at = 0;
      break;
    case FigureField::Step::kLast:
      at = group.size() - 1;
      break;
  }
  group[at]->setFocus(Qt::TabFocusReason);
}

void MainWindow::keepInSight(QWidget* control) {
  if (control == nullptr || control->window() != this) return;
  // Inner scrollers first (a keyword row), then the client's own.
  for (QWidget* parent = control->parentWidget(); parent != nullptr;
       parent = parent->parentWidget()) {
    if (auto* scroller = qobject_cast<QScrollArea*>(parent)) {
      scroller->ensureWidgetVisible(control, 12, 0);
    }
  }
}

}  // namespace quillet
