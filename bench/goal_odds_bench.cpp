// Speed of goals: the full table (the opening hand and twelve draws, the
// whole goal and each condition, all exact fractions) of a four-condition
// goal of overlapping groups on a 60-card deck, which the window recomputes
// on every change and should take under 10 ms; one row of such a goal on a
// pile of 10,000 cards, the largest the odds accept, under 200 ms (the
// opening hand, and half the pile, where the binomials are largest); and a
// million dealt hands of a 60-card deck under a second.
#include <benchmark/benchmark.h>

#include "core/odds/goal_deal.h"
#include "core/odds/goal_odds.h"

namespace quillet {
namespace {

// Four groups that overlap as figures do (assets, one faction, launchers,
// top-deck cards), `scale` copies of every line.
Goal FourConditions(std::int64_t scale, std::int32_t k) {
  // Groups: bit 0 assets, bit 1 the faction, bit 2 launchers, bit 3 bases.
  const std::vector<GoalLine> lines = {
      {4 * scale, false, 0b0011}, {3 * scale, false, 0b0111}, {4 * scale, true, 0b0001},
      {5 * scale, false, 0b0001}, {2 * scale, false, 0b0110}, {6 * scale, false, 0b1010},
      {8 * scale, false, 0b1000}, {2 * scale, true, 0b1000},  {3 * scale, false, 0b0010},
      {23 * scale, false, 0},
  };
  std::vector<GoalCondition> conditions;
  for (const char* name : {"AssetAmount", "MonasAmount", "LauncherAmount", "BaseAmount"}) {
    conditions.push_back({k, {false, name}});
  }
  return {lines, conditions, {0, 1, 2, 3}};
}

void BM_GoalTable60(benchmark::State& state) {
  const Goal goal = FourConditions(1, static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(goal.Table());
}
BENCHMARK(BM_GoalTable60)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_GoalRow10000(benchmark::State& state) {
  // 60 lines of 166 copies, 40 more plain cards: 10,000 in all.
  std::vector<GoalLine> lines = FourConditions(166, 8).Lines();
  lines.push_back({40, false, 0});
  const Goal goal(lines, FourConditions(1, static_cast<std::int32_t>(state.range(1))).Conditions(),
                  {0, 1, 2, 3});
  for (auto _ : state) benchmark::DoNotOptimize(goal.Row(state.range(0)));
}
BENCHMARK(BM_GoalRow10000)
    ->Args({8, 2})
    ->Args({8, 8})
    ->Args({5000, 8})
    ->Unit(benchmark::kMillisecond);

void BM_GoalDeal60(benchmark::State& state) {
  const Goal goal = FourConditions(1, 1);
  const GoalDealer dealer(goal, 8);
  for (auto _ : state) benchmark::DoNotOptimize(dealer.CountMet(20240611, 0, 1'000'000));
}
BENCHMARK(BM_GoalDeal60)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
