// The Draw Odds panel's Goal part: up to four conditions ("at least k copies
// of a group", the group a figure that opens a list or a card of the deck),
// the exact chance that all of them hold for each row of cards seen with each
// condition's own chance beside it, and "Deal Hands", which checks the chance
// by dealing T hands from seed S.
//
// The conditions are the part's own state, kept for the open deck while it
// stays open: every analysis of the same deck recomputes the table from the
// core (ResolveGoal, Goal::Table) with the conditions unchanged, so a group
// the deck lost counts 0 copies; another deck clears them. The dealt check
// runs in slices on a timer (GoalDealer::CountMet over a few thousand trials
// at a time), so the window keeps answering, shows its progress and can be
// cancelled; a new analysis or a changed goal cancels it too.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/odds/goal_deal.h"
#include "core/odds/goal_odds.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QTimer;
class QVBoxLayout;

namespace quillet {

class DeckDocument;

class GoalPart : public QWidget {
  Q_OBJECT

 public:
  explicit GoalPart(DeckDocument& deck, QWidget* parent = nullptr);

  void followAnalysis();
  // "Add to Goal": a condition of at least 1 copy of `group`; false when the
  // goal already has its four conditions or no deck is open.
  bool addCondition(const GoalGroup& group);
  const std::vector<GoalCondition>& conditions() const { return conditions_; }

  void startDeal();
  void cancelDeal();
  bool dealing() const;

 private:
  void addConditionRow();
  void rebuildRows();
  void fillChoices(QComboBox& box, const GoalGroup& chosen) const;
  void recompute();
  void showNotice(const QString& text);
  void dealSlice();
  void endDeal(QString result);

  DeckDocument& deck_;
  std::string deckName_;  // the deck the conditions belong to
  std::vector<GoalCondition> conditions_;
  std::optional<Goal> goal_;            // the conditions resolved by the last analysis
  std::vector<std::string> deckCards_;  // the deck's card names, for the choices

  struct Deal {
    std::optional<GoalDealer> dealer;
    std::uint64_t seed = 0;
    std::uint64_t trials = 0;
    std::uint64_t done = 0;
    std::uint64_t met = 0;
    std::int32_t exact = 0;
  } deal_;

  QVBoxLayout* ConditionRows = nullptr;
  QPushButton* AddConditionButton = nullptr;
  QStackedWidget* GoalPages = nullptr;
  QTableWidget* GoalTable = nullptr;
  QLabel* GoalNotice = nullptr;
  QSpinBox* DealTrials = nullptr;
  QLineEdit* DealSeed = nullptr;
  QSpinBox* DealDraws = nullptr;
  QPushButton* DealButton = nullptr;
  QPushButton* CancelDealButton = nullptr;
  QProgressBar* DealProgress = nullptr;
  QLabel* DealResult = nullptr;
  QTimer* dealTimer_ = nullptr;
};

}  // namespace quillet
