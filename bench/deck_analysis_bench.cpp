// Speed of the deck analysis.
// - One deck ("Open..." as the window and a command-line run analyse it):
//   a 60-line deck against generated card databases of 5,000, 10,000 and
//   20,000 cards, sorted by lower-cased name as the card list is, listed once
//   in name order and once shuffled. The analysis reads the card file once
//   however the deck is ordered, so the cost should grow linearly with the
//   database and the shuffled deck should cost no more than twice the
//   ordered one.
// - A drill-down list over the same deck.
// - Many decks, each on its own (what a library of decks needs): 10,000
//   decks of 60 lines against one 20,000-card database, each analysed as a
//   value from one shared index, on one thread and on every core. The summary
//   gives the decks per second of both and their ratio; on two cores all
//   cores should reach at least 1.6 times one thread.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/analysis/deck_analysis.h"
#include "core/analysis/main_view.h"
#include "generated_cards.h"

namespace quillet {
namespace {

using bench::Fixture;
using bench::FixtureOf;

void OpenDeck(benchmark::State& state) {
  Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
  const std::string& deck = state.range(1) ? fixture.shuffled : fixture.ordered;
  CardDatabase db(fixture.dir.path());
  for (auto _ : state) {
    const DeckAnalysis analysis = AnalyzeDeckFile(deck, db);
    if (!analysis.Valid() || analysis.entries.size() != 60) {
      state.SkipWithError("the deck did not analyse");
    }
    benchmark::DoNotOptimize(analysis.stats.TotalAmount);
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
  CardDatabase db(fixture.dir.path());
  MainView view;
  view.Show(std::make_shared<const DeckAnalysis>(AnalyzeDeckFile(fixture.shuffled, db)));
  for (auto _ : state) benchmark::DoNotOptimize(view.DrillDown("HighStealth", db));
}
BENCHMARK(DrillDown)->ArgName("cards")->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

constexpr int kBatchCards = 20000;
constexpr int kBatchDecks = 10000;
constexpr int kDeckLines = 60;

// The decks of the batch: 60 lines of 1 to 3 copies of cards drawn at
// random from the database, one deck in ten naming a card it does not hold.
const std::vector<std::string>& BatchDecks() {
  static const std::vector<std::string> decks = [] {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> card(0, kBatchCards - 1);
    std::vector<std::string> all;
    all.reserve(kBatchDecks);
    for (int d = 0; d < kBatchDecks; ++d) {
      std::string text;
      for (int k = 0; k < kDeckLines; ++k) {
        const std::string name = d % 10 == 0 && k == 0 ? std::string("No Such Card")
                                                       : bench::MakeCard(card(random)).Name.Str();
        text.append(std::to_string(1 + k % 3)).append("\t").append(name).append("\r\n");
      }
      all.push_back(std::move(text));
    }
    return all;
  }();
  return decks;
}

std::map<int, double> gDecksPerSecond;  // by thread count; 0: every core

// Every deck of the batch analysed afresh, from one shared index, by
// `threads` workers taking the next deck as they finish one.
void AnalyzeMany(benchmark::State& state) {
  const int asked = static_cast<int>(state.range(0));
  const int threads = asked > 0 ? asked : std::max(1U, std::thread::hardware_concurrency());
  Fixture& fixture = FixtureOf(kBatchCards);
  CardDatabase db(fixture.dir.path());
  db.KeepIndex(true);
  const std::shared_ptr<const CardView> cards = db.View({});
  const std::vector<std::string>& decks = BatchDecks();
  for (auto _ : state) {
    std::atomic<int> next{0};
    std::atomic<std::int64_t> total{0};
    auto work = [&] {
      std::int64_t copies = 0;
      for (int d; (d = next.fetch_add(1)) < kBatchDecks;) {
        const DeckAnalysis analysis =
            AnalyzeDeck("deck", DeckLinesOf(decks[static_cast<std::size_t>(d)]), cards.get());
        copies += analysis.stats.TotalAmount;
      }
      total += copies;
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (auto& worker : workers) worker.join();
    benchmark::DoNotOptimize(total.load());
  }
  state.counters["decks/s"] = benchmark::Counter(static_cast<double>(kBatchDecks),
                                                 benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(std::to_string(threads) + (threads == 1 ? " thread" : " threads"));
}
BENCHMARK(AnalyzeMany)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// Keeps the batch's rates for the summary.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      if (name.rfind("AnalyzeMany", 0) != 0) continue;
      const auto rate = run.counters.find("decks/s");
      if (rate != run.counters.end()) {
        gDecksPerSecond[name.find("threads:0") != std::string::npos ? 0 : 1] = rate->second;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  quillet::RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto& rates = quillet::gDecksPerSecond;
  if (rates.contains(0) && rates.contains(1) && rates.at(1) > 0) {
    std::printf(
        "\n%d decks of %d lines, %d cards: one thread %.0f decks/s, %u cores %.0f decks/s "
        "(%.2fx)\n",
        quillet::kBatchDecks, quillet::kDeckLines, quillet::kBatchCards, rates.at(1),
        std::thread::hardware_concurrency(), rates.at(0), rates.at(0) / rates.at(1));
  }
  return 0;
}
