#include "core/odds/goal_deal.h"

#include <algorithm>
#include <array>

#include "core/analysis/exact_ratio.h"
#include "core/odds/draw_odds.h"
#include "core/odds/sample_deal.h"

namespace quillet {
namespace {

// The tallies of up to four groups, 16 bits each, added in one step per card.
using PackedTallies = std::uint64_t;
constexpr std::size_t kLaneBits = 16;
constexpr std::int64_t kLaneRoom = 0xFFFF;  // cards that fit in a lane without carrying

constexpr std::array<PackedTallies, 16> Increments() {
  std::array<PackedTallies, 16> inc{};
  for (unsigned groups = 0; groups < 16; ++groups) {
    for (std::size_t g = 0; g < 4; ++g) {
      if (((groups >> g) & 1U) != 0) inc.at(groups) += PackedTallies{1} << (g * kLaneBits);
    }
  }
  return inc;
}
constexpr std::array<PackedTallies, 16> kIncrement = Increments();

using Tallies = std::array<std::int64_t, kMostGoalConditions>;

void Tally(const std::uint8_t* cards, std::int64_t count, Tallies& tallies) {
  while (count > 0) {
    const std::int64_t chunk = std::min(count, kLaneRoom);
    PackedTallies packed = 0;
    for (std::int64_t i = 0; i < chunk; ++i) packed += kIncrement.at(cards[i]);
    for (std::size_t g = 0; g < kMostGoalConditions; ++g) {
      tallies.at(g) += static_cast<std::int64_t>((packed >> (g * kLaneBits)) & 0xFFFF);
    }
    cards += chunk;
    count -= chunk;
  }
}

// The shuffle of sample_deal.cpp, on the copies' groups instead of their
// names: the same swaps put the same copies in the same places. The bounded
// draw is SplitMix64::Bounded with the rejection limit of each bound worked
// out once (`limits[m]`, 0 when 2^64 divides evenly), which halves the
// divisions of a deal.
std::uint64_t Bounded(SplitMix64& generator, std::uint64_t m, std::uint64_t limit) {
  std::uint64_t x = generator.Next();
  if (limit != 0) {
    while (x >= limit) x = generator.Next();
  }
  return x % m;
}

void FisherYates(std::vector<std::uint8_t>& part, SplitMix64& generator,
                 const std::vector<std::uint64_t>& limits) {
  for (std::size_t i = part.size(); i-- > 1;) {
    const auto j = static_cast<std::size_t>(Bounded(generator, i + 1, limits[i + 1]));
    std::swap(part[i], part[j]);
  }
}

// 8712 -> "8,712".
std::string WithCommas(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

}  // namespace

GoalDealer::GoalDealer(const Goal& goal, std::int64_t seen)
    : needs_(goal.Needs()), seen_(std::max<std::int64_t>(seen, 0)) {
  for (const GoalLine& line : goal.Lines()) {
    auto& part = line.TopDeck ? top_ : bottom_;
    part.insert(part.end(), static_cast<std::size_t>(std::max<std::int64_t>(line.Count, 0)),
                line.Groups);
  }
  limits_.resize(std::max(top_.size(), bottom_.size()) + 1, 0);
  for (std::uint64_t m = 1; m < limits_.size(); ++m) {
    const std::uint64_t excess = (0 - m) % m;  // 2^64 mod m
    limits_[m] = excess == 0 ? 0 : 0 - excess;
  }
}

bool GoalDealer::Meets(std::uint64_t seed, std::vector<std::uint8_t>& top,
                       std::vector<std::uint8_t>& bottom) const {
  SplitMix64 generator(seed);
  const auto topSize = static_cast<std::int64_t>(top_.size());
  Tallies tallies{};
  if (seen_ <= topSize) {
    std::copy(top_.begin(), top_.end(), top.begin());
    FisherYates(top, generator, limits_);
    Tally(top.data(), seen_, tallies);
  } else {
    // Every top-deck copy is seen wherever it lies, but its shuffle still
    // takes its draws from the generator before the rest is shuffled.
    for (std::size_t i = top_.size(); i-- > 1;) Bounded(generator, i + 1, limits_[i + 1]);
    Tally(top_.data(), topSize, tallies);
    std::copy(bottom_.begin(), bottom_.end(), bottom.begin());
    FisherYates(bottom, generator, limits_);
    Tally(bottom.data(), std::min(seen_ - topSize, static_cast<std::int64_t>(bottom.size())),
          tallies);
  }
  for (std::size_t g = 0; g < needs_.size(); ++g) {
    if (tallies.at(g) < needs_[g]) return false;
  }
  return true;
}

std::uint64_t GoalDealer::CountMet(std::uint64_t seed, std::uint64_t first,
                                   std::uint64_t last) const {
  std::vector<std::uint8_t> top(top_.size());
  std::vector<std::uint8_t> bottom(bottom_.size());
  std::uint64_t met = 0;
  for (std::uint64_t i = first; i < last; ++i) {
    // Unsigned arithmetic wraps: the seeds run on past 2^64 - 1 from 0.
    if (Meets(seed + i, top, bottom)) ++met;
  }
  return met;
}

std::string DealtCheckText(std::uint64_t met, std::uint64_t trials, std::int32_t exactPerMille,
                           bool soFar) {
  const auto share = static_cast<std::int32_t>(RoundHalfEven(BigInt(met) * 1000, BigInt(trials)));
  return WithCommas(met) + " of " + WithCommas(trials) + " dealt hands " +
         (soFar ? "so far " : "") + "met the goal (" + PerMilleText(share) +
         " %); the exact chance is " + PerMilleText(exactPerMille) + " %";
}

}  // namespace quillet
