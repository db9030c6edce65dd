// Dealt checks of a goal: trial i deals the pile with seed (S + i) mod 2^64
// exactly as a sample hand is dealt (sample_deal.h), and the trial meets the
// goal when the first n cards of that deal do. The count of the trials that
// meet it is the same on every machine.
//
// Trials are counted over a range [first, last), so a caller that must stay
// responsive (a window) deals in slices, shows its progress between them and
// stops when cancelled; the sum of the slices is the count of the whole run.
// A GoalDealer reads only its own copy of the goal's lines, so each thread
// may own one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/odds/goal_odds.h"

namespace quillet {

inline constexpr std::uint64_t kMostDealtTrials = 10'000'000;

class GoalDealer {
 public:
  // `seen` cards of each deal are looked at (all of them when the pile is
  // smaller).
  GoalDealer(const Goal& goal, std::int64_t seen);

  // How many of the trials first .. last - 1 meet the goal.
  std::uint64_t CountMet(std::uint64_t seed, std::uint64_t first, std::uint64_t last) const;

 private:
  bool Meets(std::uint64_t seed, std::vector<std::uint8_t>& top,
             std::vector<std::uint8_t>& bottom) const;

  std::vector<std::uint8_t> top_;      // each top-deck copy's groups, in deck-file order
  std::vector<std::uint8_t> bottom_;   // the same for the other copies
  std::vector<std::uint64_t> limits_;  // the bounded draw's rejection limit of each bound
  std::vector<std::int32_t> needs_;
  std::int64_t seen_ = 0;
};

// The window's line for a finished check: "8,712 of 10,000 dealt hands met
// the goal (87.1 %); the exact chance is 87.2 %", the share of dealt hands
// rounded as the exact chance is (trials >= 1). With `soFar`, the line of a
// check cancelled after `trials` hands: "... dealt hands so far met ...".
std::string DealtCheckText(std::uint64_t met, std::uint64_t trials, std::int32_t exactPerMille,
                           bool soFar = false);

}  // namespace quillet
