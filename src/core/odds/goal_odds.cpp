#include "core/odds/goal_odds.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace quillet {
namespace {

constexpr std::size_t kCells = std::size_t{1} << kMostGoalConditions;

// The part of the pile the seen cards are drawn from: the top-deck copies
// while n <= T, else the others, with every top-deck copy seen for sure. Its
// copies are split into cells by the set of groups they belong to; cell 0
// holds the copies of no group.
struct DrawnPart {
  std::array<std::int64_t, kCells> cells{};
  std::int64_t size = 0;
  std::array<std::int64_t, kMostGoalConditions> sure{};  // copies of each group seen for sure
};

DrawnPart PartFor(const std::vector<GoalLine>& lines, bool fromTop) {
  DrawnPart part;
  for (const GoalLine& line : lines) {
    if (line.TopDeck == fromTop) {
      part.cells.at(line.Groups) += line.Count;
      part.size += line.Count;
    } else if (line.TopDeck) {
      for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
        if (((line.Groups >> g) & 1U) != 0) part.sure.at(g) += line.Count;
      }
    }
  }
  return part;
}

// A 128-bit word, for the counts of piles small enough; GCC and Clang have
// it on every 64-bit target.
__extension__ using Wide = unsigned __int128;

BigInt ToBig(const BigInt& value) {
  return value;
}

BigInt ToBig(Wide value) {
  BigInt big = static_cast<std::uint64_t>(value >> 64U);
  big <<= 64;
  big += static_cast<std::uint64_t>(value);
  return big;
}

using Caps = std::array<std::int64_t, kMostGoalConditions>;

// The ways to draw j of the part's copies, for j = 0 .. width - 1, such that
// every group g of `failing` shows at most caps[g] copies, counting only the
// cells that hold a copy of a failing group; `rest` is told how many copies
// the other cells hold. A copy of a counted cell raises at least one capped
// tally, so few are ever drawn from them, and their ways are counted by
// tallies: one entry per capped tally of each failing group and number drawn.
template <typename Number>
std::vector<Number> WaysByDrawn(const DrawnPart& part, unsigned failing, const Caps& caps,
                                std::size_t width, std::int64_t& rest) {
  std::array<std::size_t, kMostGoalConditions> stride{};
  std::size_t states = 1;
  for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
    if (((failing >> g) & 1U) == 0) continue;
    stride.at(g) = states;
    states *= static_cast<std::size_t>(caps.at(g) + 1);
  }
  const auto mostDrawn = static_cast<std::int64_t>(width) - 1;
  // ways[state * width + j]: j copies drawn from the cells seen so far, with
  // the tallies the state encodes.
  std::vector<Number> ways(states * width, Number(0));
  ways[0] = 1;
  rest = part.size;
  for (unsigned cell = 1; cell < kCells; ++cell) {
    const unsigned counted = cell & failing;
    const std::int64_t size = part.cells.at(cell);
    if (counted == 0 || size == 0) continue;
    rest -= size;
    std::int64_t most = std::min(size, mostDrawn);
    std::size_t step = 0;  // how far one copy of this cell moves the state
    for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
      if (((counted >> g) & 1U) == 0) continue;
      most = std::min(most, caps.at(g));
      step += stride.at(g);
    }
    if (most == 0) continue;  // no copy of this cell may be seen
    std::vector<Number> weight;
    for (std::int64_t x = 0; x <= most; ++x) weight.push_back(Number(Binomial(size, x)));
    std::vector<Number> next = ways;  // none of this cell drawn
    for (std::size_t state = 0; state < states; ++state) {
      // How many more copies of this cell keep every counted tally in its cap.
      std::int64_t room = most;
      for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
        if (((counted >> g) & 1U) == 0) continue;
        const auto radix = static_cast<std::size_t>(caps.at(g) + 1);
        const auto tally = static_cast<std::int64_t>((state / stride.at(g)) % radix);
        room = std::min(room, caps.at(g) - tally);
      }
      if (room == 0) continue;
      for (std::size_t j = 0; j < width; ++j) {
        const Number& from = ways[state * width + j];
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
  std::vector<Number> byDrawn(width, Number(0));
  for (std::size_t state = 0; state < states; ++state) {
    for (std::size_t j = 0; j < width; ++j) byDrawn[j] += ways[state * width + j];
  }
  return byDrawn;
}

// The chances of one part for several numbers drawn, in Number arithmetic:
// BigInt always serves, a machine word when every count fits (see Fits).
template <typename Number>
void PartChances(const DrawnPart& part, const std::vector<std::int64_t>& drawn,
                 const std::vector<std::int32_t>& needs, std::vector<ExactChance>& chances) {
  const std::int64_t most = *std::max_element(drawn.begin(), drawn.end());
  // Inclusion and exclusion over the groups that can still fall short: the
  // goal is met unless some group shows fewer copies than it needs.
  Caps caps{};
  std::int64_t capsSum = 0;
  unsigned canFail = 0;
  for (std::size_t g = 0; g < needs.size(); ++g) {
    caps.at(g) = needs[g] - part.sure.at(g) - 1;
    if (caps.at(g) >= 0) {
      canFail |= 1U << g;
      capsSum += caps.at(g);
    }
  }
  const auto width = static_cast<std::size_t>(std::min(capsSum, most) + 1);
  std::vector<Number> plus(drawn.size(), Number(0));
  std::vector<Number> minus(drawn.size(), Number(0));
  for (unsigned failing = canFail; failing != 0; failing = (failing - 1) & canFail) {
    std::int64_t rest = 0;
    const std::vector<Number> byDrawn = WaysByDrawn<Number>(part, failing, caps, width, rest);
    for (std::size_t r = 0; r < drawn.size(); ++r) {
      // The rest of the part gives the other d - j cards: C(rest, d - j),
      // stepped up from the smallest d - j so that one binomial is whole.
      const std::int64_t d = drawn[r];
      const std::int64_t lowest =
          std::max<std::int64_t>(d - static_cast<std::int64_t>(width) + 1, 0);
      Number rests = Number(Binomial(rest, lowest));
      Number ways = 0;
      for (std::int64_t k = lowest; k <= d && rests != 0; ++k) {
        ways += byDrawn[static_cast<std::size_t>(d - k)] * rests;
        rests *= Number(rest - k);
        rests /= Number(k + 1);
      }
      (std::popcount(failing) % 2 == 0 ? plus : minus)[r] += ways;
    }
  }
  for (std::size_t r = 0; r < drawn.size(); ++r) {
    ExactChance& chance = chances[r];
    chance.All = Binomial(part.size, drawn[r]);
    chance.Met = chance.All + ToBig(plus[r]) - ToBig(minus[r]);
  }
}

// Whether every count of a part fits the 128-bit word with room to spare:
// the largest binomial C(size, j) for j up to `most` drawn bounds every count
// of ways, and times a factor up to `size` every intermediate product of the
// stepped binomials; the sums of sixteen counts add four bits more. The
// estimate in doubles is off by far less than the bits to spare.
bool Fits(std::int64_t size, std::int64_t most) {
  const double k = static_cast<double>(std::min(most, size / 2));
  const double n = static_cast<double>(size);
  const double log2Binomial =
      (std::lgamma(n + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1)) / std::log(2.0);
  return log2Binomial + std::log2(n + 1) < 112;
}

std::int32_t PerMille(const ExactChance& chance) {
  return static_cast<std::int32_t>(RoundHalfEven(chance.Met * 1000, chance.All));
}

}  // namespace

Goal::Goal(std::vector<GoalLine> lines, std::vector<GoalCondition> conditions,
           std::vector<std::size_t> groupOf)
    : lines_(std::move(lines)), conditions_(std::move(conditions)), groupOf_(std::move(groupOf)) {
  if (conditions_.size() != groupOf_.size() || conditions_.size() > kMostGoalConditions) {
    throw std::invalid_argument("a goal needs one group per condition, at most " +
                                std::to_string(kMostGoalConditions));
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

std::vector<ExactChance> Goal::Chances(const std::vector<std::int32_t>& needs,
                                       const std::vector<std::int64_t>& seen) const {
  std::vector<ExactChance> chances(seen.size());
  // The rows drawn from the top-deck part, then those drawn from the rest.
  for (const bool fromTop : {true, false}) {
    std::vector<std::size_t> rows;
    std::vector<std::int64_t> drawn;
    for (std::size_t r = 0; r < seen.size(); ++r) {
      const std::int64_t n = std::clamp<std::int64_t>(seen[r], 0, pile_);
      if ((n <= topDeck_) != fromTop) continue;
      rows.push_back(r);
      drawn.push_back(fromTop ? n : n - topDeck_);
    }
    if (rows.empty()) continue;
    const DrawnPart part = PartFor(lines_, fromTop);
    std::vector<ExactChance> some(rows.size());
    if (Fits(part.size, *std::max_element(drawn.begin(), drawn.end()))) {
      PartChances<Wide>(part, drawn, needs, some);
    } else {
      PartChances<BigInt>(part, drawn, needs, some);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) chances[rows[i]] = std::move(some[i]);
  }
  return chances;
}

ExactChance Goal::Exact(std::int64_t seen) const {
  return Chances(needs_, {seen}).front();
}

ExactChance Goal::ExactEach(std::size_t condition, std::int64_t seen) const {
  return Chances(NeedsOf(condition), {seen}).front();
}

std::vector<std::int32_t> Goal::NeedsOf(std::size_t condition) const {
  std::vector<std::int32_t> needs(groupOf_.at(condition) + 1, 0);
  needs.back() = conditions_.at(condition).AtLeast;
  return needs;
}

GoalRow Goal::Row(std::int64_t seen) const {
  return Table(seen, seen).front();
}

std::vector<GoalRow> Goal::Table(std::int64_t first, std::int64_t last) const {
  std::vector<std::int64_t> seen;
  for (std::int64_t n = first; n <= last; ++n) seen.push_back(n);
  std::vector<GoalRow> rows(seen.size());
  const std::vector<ExactChance> whole = Chances(needs_, seen);
  for (std::size_t r = 0; r < seen.size(); ++r) {
    rows[r].Seen = seen[r];
    rows[r].Chance = PerMille(whole[r]);
  }
  for (std::size_t i = 0; i < conditions_.size(); ++i) {
    const std::vector<ExactChance> each = Chances(NeedsOf(i), seen);
    for (std::size_t r = 0; r < seen.size(); ++r) rows[r].Each.push_back(PerMille(each[r]));
  }
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

Goal ResolveGoal(const DeckAnalysis& analysis, CardDatabase& db,
                 const std::vector<GoalCondition>& conditions, DeckPile::Limit limit) {
  const DeckPile pile = DeckPile::FromAnalysis(analysis, limit);
  for (const GoalCondition& condition : conditions) {
    if (condition.Group.IsCard && !db.LookupCard(condition.Group.Name)) {
      throw OddsError("No Such Card!");
    }
  }
  const DrillDownContext context{analysis.stats, analysis.options.assetsOnly,
                                 analysis.options.costKind};
  return ResolveGoal(pile, context, conditions);
}

}  // namespace quillet
