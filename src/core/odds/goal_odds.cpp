#include "core/odds/goal_odds.h"

#include <algorithm>
#include <array>
#include <bit>
#include <stdexcept>
#include <utility>

#include "core/analysis/master_model.h"

namespace quillet {
namespace {

constexpr std::size_t kCells = std::size_t{1} << kMostGoalConditions;

// The part of the pile the seen cards are drawn from after `seen` cards: the
// top-deck copies while seen <= T, else the others with every top-deck copy
// seen for sure. Its copies are split into cells by the set of groups they
// belong to; cell 0 holds the copies of no group.
struct DrawnPart {
  std::array<std::int64_t, kCells> cells{};
  std::int64_t size = 0;
  std::int64_t drawn = 0;                                // how many of the part are seen
  std::array<std::int64_t, kMostGoalConditions> sure{};  // copies of each group seen for sure
};

DrawnPart PartFor(const std::vector<GoalLine>& lines, std::int64_t pile, std::int64_t topDeck,
                  std::int64_t seen) {
  const std::int64_t n = std::clamp<std::int64_t>(seen, 0, pile);
  const bool fromTop = n <= topDeck;
  DrawnPart part;
  part.drawn = fromTop ? n : n - topDeck;
  for (const GoalLine& line : lines) {
    if (line.TopDeck == fromTop) {
      part.cells.at(line.Groups) += line.Count;
      part.size += line.Count;
    } else if (line.TopDeck) {
      for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
        if ((line.Groups >> g) & 1U) part.sure.at(g) += line.Count;
      }
    }
  }
  return part;
}

// The ways to draw `part.drawn` of the part's copies such that every group g
// of `failing` shows at most caps[g] copies. The cells that hold a copy of a
// failing group are drawn from a little (at most the sum of the caps in all),
// so their ways are counted by tallies, one entry per capped tally of each
// group and number drawn; the other cells are drawn together as one.
BigInt WaysBelowCaps(const DrawnPart& part, unsigned failing,
                     const std::array<std::int64_t, kMostGoalConditions>& caps) {
  std::array<std::size_t, kMostGoalConditions> stride{};
  std::size_t states = 1;
  std::int64_t mostDrawn = 0;
  for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
    if (!((failing >> g) & 1U)) continue;
    stride.at(g) = states;
    states *= static_cast<std::size_t>(caps.at(g) + 1);
    mostDrawn += caps.at(g);
  }
  const auto width = static_cast<std::size_t>(mostDrawn + 1);
  // ways[state * width + j]: j copies drawn from the cells seen so far, with
  // the tallies the state encodes.
  std::vector<BigInt> ways(states * width);
  ways[0] = 1;
  std::int64_t rest = part.size;
  for (unsigned cell = 1; cell < kCells; ++cell) {
    const unsigned counted = cell & failing;
    const std::int64_t size = part.cells.at(cell);
    if (counted == 0 || size == 0) continue;
    rest -= size;
    std::int64_t most = size;
    std::size_t step = 0;  // how far one copy of this cell moves the state
    for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
      if (!((counted >> g) & 1U)) continue;
      most = std::min(most, caps.at(g));
      step += stride.at(g);
    }
    if (most == 0) continue;  // no copy of this cell may be seen
    std::vector<BigInt> weight;
    for (std::int64_t x = 0; x <= most; ++x) weight.push_back(Binomial(size, x));
    std::vector<BigInt> next = ways;  // none of this cell drawn
    for (std::size_t state = 0; state < states; ++state) {
      // How many more copies of this cell keep every counted tally in its cap.
      std::int64_t room = most;
      for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
        if (!((counted >> g) & 1U)) continue;
        const auto radix = static_cast<std::size_t>(caps.at(g) + 1);
        const auto tally = static_cast<std::int64_t>((state / stride.at(g)) % radix);
        room = std::min(room, caps.at(g) - tally);
      }
      for (std::size_t j = 0; j < width; ++j) {
        const BigInt& from = ways[state * width + j];
        if (from == 0) continue;
        const std::int64_t fits = std::min(room, mostDrawn - static_cast<std::int64_t>(j));
        for (std::int64_t x = 1; x <= fits; ++x) {
          const std::size_t to = (state + static_cast<std::size_t>(x) * step) * width + j +
                                 static_cast<std::size_t>(x);
          next[to] += from * weight[static_cast<std::size_t>(x)];
        }
      }
    }
    ways = std::move(next);
  }
  std::vector<BigInt> byDrawn(width);
  for (std::size_t state = 0; state < states; ++state) {
    for (std::size_t j = 0; j < width; ++j) byDrawn[j] += ways[state * width + j];
  }
  // The rest of the part gives the other d - j cards: C(rest, d - j), stepped
  // up from the smallest d - j so that only one binomial is computed whole.
  const std::int64_t lowest = std::max<std::int64_t>(part.drawn - mostDrawn, 0);
  BigInt rests = Binomial(rest, lowest);
  BigInt total = 0;
  for (std::int64_t k = lowest; k <= part.drawn; ++k) {
    const std::int64_t j = part.drawn - k;
    if (rests == 0) break;  // k is past the rest, and so is every larger k
    total += byDrawn[static_cast<std::size_t>(j)] * rests;
    rests *= rest - k;
    rests /= k + 1;
  }
  return total;
}

std::int32_t PerMille(const ExactChance& chance) {
  return static_cast<std::int32_t>(RoundHalfEven(chance.Met * 1000, chance.All));
}

}  // namespace

Goal::Goal(std::vector<GoalLine> lines, std::vector<GoalCondition> conditions,
           std::vector<std::size_t> groupOf)
    : lines_(std::move(lines)), conditions_(std::move(conditions)), groupOf_(std::move(groupOf)) {
  if (conditions_.size() != groupOf_.size() || conditions_.size() > kMostGoalConditions) {
    throw std::invalid_argument("a goal needs one group per condition, at most four");
  }
  for (std::size_t i = 0; i < conditions_.size(); ++i) {
    const std::int32_t k = conditions_[i].AtLeast;
    if (k < 1 || k > kMostGoalCopies || groupOf_[i] >= kMostGoalConditions) {
      throw std::invalid_argument("a goal's condition is out of range");
    }
    if (needs_.size() <= groupOf_[i]) needs_.resize(groupOf_[i] + 1, 0);
    needs_[groupOf_[i]] = std::max(needs_[groupOf_[i]], k);
  }
  for (const GoalLine& line : lines_) {
    pile_ += line.Count;
    if (line.TopDeck) topDeck_ += line.Count;
  }
}

OddsGroup Goal::ConditionGroup(std::size_t condition) const {
  OddsGroup group;
  group.Name = conditions_.at(condition).Group.Name;
  group.Pile = pile_;
  group.TopDeck = topDeck_;
  const unsigned bit = 1U << groupOf_.at(condition);
  for (const GoalLine& line : lines_) {
    if ((line.Groups & bit) == 0) continue;
    group.Copies += line.Count;
    if (line.TopDeck) group.TopDeckCopies += line.Count;
  }
  return group;
}

ExactChance Goal::Chance(const std::vector<std::int32_t>& needs, std::int64_t seen) const {
  const DrawnPart part = PartFor(lines_, pile_, topDeck_, seen);
  // Inclusion and exclusion over the groups that can still fall short: the
  // goal is met unless some group shows fewer copies than it needs.
  std::array<std::int64_t, kMostGoalConditions> caps{};
  unsigned canFail = 0;
  for (std::size_t g = 0; g < needs.size(); ++g) {
    caps.at(g) = needs[g] - part.sure.at(g) - 1;
    if (caps.at(g) >= 0) canFail |= 1U << g;
  }
  ExactChance chance{0, Binomial(part.size, part.drawn)};
  for (unsigned failing = canFail;; failing = (failing - 1) & canFail) {
    const BigInt ways = failing == 0 ? chance.All : WaysBelowCaps(part, failing, caps);
    if (std::popcount(failing) % 2 == 0) {
      chance.Met += ways;
    } else {
      chance.Met -= ways;
    }
    if (failing == 0) break;
  }
  return chance;
}

ExactChance Goal::Exact(std::int64_t seen) const {
  return Chance(needs_, seen);
}

ExactChance Goal::ExactEach(std::size_t condition, std::int64_t seen) const {
  std::vector<std::int32_t> needs(groupOf_.at(condition) + 1, 0);
  needs.back() = conditions_.at(condition).AtLeast;
  return Chance(needs, seen);
}

GoalRow Goal::Row(std::int64_t seen) const {
  GoalRow row;
  row.Seen = seen;
  row.Chance = PerMille(Exact(seen));
  for (std::size_t i = 0; i < conditions_.size(); ++i) {
    row.Each.push_back(PerMille(ExactEach(i, seen)));
  }
  return row;
}

std::vector<GoalRow> Goal::Table(std::int64_t first, std::int64_t last) const {
  std::vector<GoalRow> rows;
  for (std::int64_t seen = first; seen <= last; ++seen) rows.push_back(Row(seen));
  return rows;
}

Goal ResolveGoal(const DeckPile& pile, const DrillDownContext& context,
                 const std::vector<GoalCondition>& conditions) {
  std::vector<GoalGroup> groups;
  std::vector<std::size_t> groupOf;
  std::vector<GoalLine> lines;
  for (const PileLine& line : pile.Lines()) lines.push_back({line.Count, line.TopDeck, 0});
  for (const GoalCondition& condition : conditions) {
    const auto known = std::find(groups.begin(), groups.end(), condition.Group);
    groupOf.push_back(static_cast<std::size_t>(known - groups.begin()));
    if (known != groups.end()) continue;
    const std::size_t bit = groups.size();
    groups.push_back(condition.Group);
    if (bit >= kMostGoalConditions) break;  // the Goal refuses so many
    std::vector<bool> members;
    if (condition.Group.IsCard) {
      members = pile.CardLines(condition.Group.Name);
    } else if (auto figure = pile.FigureLines(condition.Group.Name, context)) {
      members = std::move(*figure);
    } else {
      throw std::invalid_argument("no figure's list is called " + condition.Group.Name);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (members[i]) lines[i].Groups |= static_cast<std::uint8_t>(1U << bit);
    }
  }
  return {std::move(lines), conditions, std::move(groupOf)};
}

Goal ResolveGoal(MasterModel& model, const std::vector<GoalCondition>& conditions) {
  const DeckPile pile = DeckPile::FromSession(model.session());
  for (const GoalCondition& condition : conditions) {
    if (condition.Group.IsCard && !model.session().db.LookupCard(condition.Group.Name)) {
      throw OddsError("No Such Card!");
    }
  }
  const DrillDownContext context{model.session().stats, model.AssetSwitch(), model.CostBoxText()};
  return ResolveGoal(pile, context, conditions);
}

}  // namespace quillet
