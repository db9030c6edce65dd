// Speed of the deck analysis ("Open..." as the window runs it) for a 60-line
// deck against generated card databases of 5,000, 10,000 and 20,000 cards,
// sorted by lower-cased name as the card list is. The deck is listed once in
// name order and once shuffled: the analysis reads the card file once however
// the deck is ordered, so the cost should grow linearly with the database and
// the shuffled deck should cost no more than twice the ordered one.
#include <benchmark/benchmark.h>

#include "core/analysis/master_model.h"
#include "generated_cards.h"

namespace quillet {
namespace {

using bench::Fixture;
using bench::FixtureOf;

void OpenDeck(benchmark::State& state) {
  Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
  FixedDeckHost host(state.range(1) ? fixture.shuffled : fixture.ordered);
  Session session(fixture.dir.path());
  MasterModel model(session);
  for (auto _ : state) {
    model.OpenDeck(host, /*useSettings=*/false);
    if (session.deck.DeckCount != 60) state.SkipWithError("the deck did not analyse");
    benchmark::DoNotOptimize(session.stats.TotalAmount);
  }
  state.SetLabel(state.range(1) ? "shuffled" : "name order");
}
BENCHMARK(OpenDeck)
    ->ArgNames({"cards", "shuffled"})
    ->ArgsProduct({{5000, 10000, 20000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A drill-down list over the same deck: one read of the card file as well.
void DrillDown(benchmark::State& state) {
  Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
  FixedDeckHost host(fixture.shuffled);
  Session session(fixture.dir.path());
  MasterModel model(session);
  model.OpenDeck(host, /*useSettings=*/false);
  for (auto _ : state) benchmark::DoNotOptimize(model.DrillDown("HighStealth"));
}
BENCHMARK(DrillDown)->ArgName("cards")->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
