// Goals: the chance that the cards seen hold at least k1 copies of one group
// and at least k2 of another and so on, for up to four conditions at once,
// under the same model of drawing as the draw odds (top-deck cards first).
//
// A goal is given as conditions on named groups (a figure's component name or
// a card's name) and resolved against the analysed deck's pile into a Goal:
// each pile line with the set of distinct groups its copies belong to. The
// Goal answers the exact chance of a row (the whole goal and each condition
// alone, rounded to per mille halves to even as the draw odds are) and counts
// dealt hands that meet it (goal_deal.h). It holds plain data only, so a copy
// can be handed to another thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/exact_ratio.h"
#include "core/odds/deck_pile.h"
#include "core/odds/draw_odds.h"

namespace quillet {

inline constexpr std::size_t kMostGoalConditions = 4;
inline constexpr std::int32_t kMostGoalCopies = 8;  // k runs from 1 to this

// The copies a condition counts: those behind a figure (by its component
// name) or every copy of one card (by its name, bytes).
struct GoalGroup {
  bool IsCard = false;
  std::string Name;
  bool operator==(const GoalGroup&) const = default;
};

struct GoalCondition {
  std::int32_t AtLeast = 1;  // k
  GoalGroup Group;
};

// A line of the pile as the goal sees it.
struct GoalLine {
  std::int64_t Count = 0;
  bool TopDeck = false;
  std::uint8_t Groups = 0;  // bit g: the copies belong to the goal's distinct group g
};

// An exact chance: Met of All equally likely sets of cards seen.
struct ExactChance {
  BigInt Met;
  BigInt All;
};

struct GoalRow {
  std::int64_t Seen = 0;           // n, the cards seen
  std::int32_t Chance = 0;         // per mille: the whole goal is met
  std::vector<std::int32_t> Each;  // per mille: each condition alone, as given
};

class Goal {
 public:
  Goal() = default;
  // `conditions` name their groups; `groupOf[i]` is the index of condition
  // i's distinct group, the bit that marks its copies in `lines`. Throws
  // std::invalid_argument when the sizes disagree or a k is out of range.
  Goal(std::vector<GoalLine> lines, std::vector<GoalCondition> conditions,
       std::vector<std::size_t> groupOf);

  const std::vector<GoalLine>& Lines() const { return lines_; }
  const std::vector<GoalCondition>& Conditions() const { return conditions_; }
  std::size_t GroupOf(std::size_t condition) const { return groupOf_.at(condition); }
  // How many copies each distinct group needs: the largest k asked of it.
  const std::vector<std::int32_t>& Needs() const { return needs_; }
  std::int64_t PileSize() const { return pile_; }
  std::int64_t TopDeckSize() const { return topDeck_; }

  // Condition i's group as the draw odds describe one (Name as given).
  OddsGroup ConditionGroup(std::size_t condition) const;

  // The exact chance that the whole goal is met after `seen` cards (beyond
  // the pile every card is seen), and that condition i alone is.
  ExactChance Exact(std::int64_t seen) const;
  ExactChance ExactEach(std::size_t condition, std::int64_t seen) const;

  GoalRow Row(std::int64_t seen) const;  // seen >= 1
  std::vector<GoalRow> Table(std::int64_t first = kOpeningHand,
                             std::int64_t last = kLastOddsRow) const;

 private:
  // The chances that each group g shows at least needs[g] copies, for each
  // number of cards seen; the rows drawn from one part share their counting.
  std::vector<ExactChance> Chances(const std::vector<std::int32_t>& needs,
                                   const std::vector<std::int64_t>& seen) const;
  std::vector<std::int32_t> NeedsOf(std::size_t condition) const;

  std::vector<GoalLine> lines_;
  std::vector<GoalCondition> conditions_;
  std::vector<std::size_t> groupOf_;
  std::vector<std::int32_t> needs_;
  std::int64_t pile_ = 0;
  std::int64_t topDeck_ = 0;
};

// The goal over `pile`, figures read with `context`. A repeated group (the
// same figure or card twice) is one distinct group. Throws
// std::invalid_argument for a component that opens no list or a k out of
// range; a card the deck lacks is a group of no copies.
Goal ResolveGoal(const DeckPile& pile, const DrillDownContext& context,
                 const std::vector<GoalCondition>& conditions);

// The goal as the CLI and the windows ask for it of an analysis, under its
// asset switch and cost kind; card names are looked up in `db`. Throws
// OddsError as DeckPile::FromAnalysis does (with `limit`: dealt checks take piles of any
// size), then "No Such Card!" for a card name no card of the data file has,
// as CardOddsGroup does.
Goal ResolveGoal(const DeckAnalysis& analysis, CardDatabase& db,
                 const std::vector<GoalCondition>& conditions,
                 DeckPile::Limit limit = DeckPile::Limit::kOdds);

}  // namespace quillet
