// The Draw Odds window: a non-modal table of the chances of seeing at least
// 1 to 4 copies of one group in the opening hand and after each of twelve
// draws. The group is the one the user touched last in the main window: the
// figure whose list the card list shows, or the card of the selected card
// list line; before either, the assets. The shell forwards the main window's
// signals to the three Follow... handlers; each one reads the model again and
// recomputes the table from the core (DeckPile, DrawOddsTable). On a second
// page, the Goal page (goal_part.h) asks for several groups at once.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

namespace quillet {

class DeckDocument;
class GoalPart;

class DrawOddsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit DrawOddsPanel(DeckDocument& deck, QWidget* parent = nullptr);

  void followAnalysis();          // after every analysis; cleared when it failed
  void followList();              // after a figure's list was shown
  void followCardLine(int line);  // after a card list line was clicked

  GoalPart& goalPart() { return *goalPart_; }
  void showGoal();  // brings the Goal page forward

 private:
  void recompute();
  void clear(const QString& notice);

  DeckDocument& deck_;
  bool cardGroup_ = false;                 // the group is a card, not a figure
  std::string groupName_ = "AssetAmount";  // a component name or a card name (bytes)
  std::string deckName_;                   // the deck the group was chosen in
  QLabel* GroupLabel = nullptr;
  QStackedWidget* OddsPages = nullptr;
  QTableWidget* OddsTable = nullptr;
  QLabel* OddsNotice = nullptr;
  QTabWidget* OddsTabs = nullptr;
  GoalPart* goalPart_ = nullptr;
};

}  // namespace quillet
