// Speed of the draw odds: the full table (the opening hand and twelve draws,
// at least 1 to 4 copies, each an exact fraction) for a 60-card deck, which
// the window recomputes on every click and should take well under a
// millisecond, and for a pile of 10,000 cards, the largest the odds accept,
// which should stay under 50 ms. A single row half way through the large pile
// shows the cost of the biggest binomials a --seen can ask for.
#include <benchmark/benchmark.h>

#include "core/odds/draw_odds.h"

namespace quillet {
namespace {

void BM_OddsTable60(benchmark::State& state) {
  const OddsGroup group{"LauncherAmount", 12, 2, 60, 6};
  for (auto _ : state) benchmark::DoNotOptimize(DrawOddsTable(group));
}
BENCHMARK(BM_OddsTable60)->Unit(benchmark::kMicrosecond);

void BM_OddsTable10000(benchmark::State& state) {
  const OddsGroup group{"AssetAmount", 2500, 3, 10000, 7};
  for (auto _ : state) benchmark::DoNotOptimize(DrawOddsTable(group));
}
BENCHMARK(BM_OddsTable10000)->Unit(benchmark::kMicrosecond);

void BM_OddsRowHalfOf10000(benchmark::State& state) {
  const OddsGroup group{"AssetAmount", 2500, 3, 10000, 7};
  for (auto _ : state) benchmark::DoNotOptimize(DrawOddsRow(group, 5000));
}
BENCHMARK(BM_OddsRowHalfOf10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
