// What an analysis costs on a database the size of a whole card pool over
// many editions (50,000 cards), side by side with what it is measured
// against, in one run so that the ratios hold on a busy machine:
// - one analysis as a command-line run makes it (no lasting index) against
//   reading the same CardStat.Dat whole;
// - the same deck shuffled against the deck in name order;
// - the window's re-analysis after an edit of the deck, with every panel's
//   figures recomputed (the cost curve, the odds pile, the browser's in-deck
//   counts), over the index the window keeps.
// The summary at the end gives the medians' ratios.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <map>
#include <string>

#include "core/analysis/deck_analysis.h"
#include "core/analysis/main_view.h"
#include "core/catalogue/catalogue.h"
#include "core/charts/deck_figures.h"
#include "core/odds/deck_pile.h"
#include "generated_cards.h"

namespace quillet {
namespace {

constexpr int kCards = 50000;

std::size_t ReadWhole(const std::string& path) {
  static char buffer[128 * 1024];
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  std::size_t total = 0;
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
    total += static_cast<std::size_t>(n);
  ::close(fd);
  return total;
}

void ReadCardFile(benchmark::State& state) {
  bench::Fixture& fixture = bench::FixtureOf(kCards);
  const std::string path = fixture.dir.path() + "CardStat.Dat";
  for (auto _ : state) benchmark::DoNotOptimize(ReadWhole(path));
}
BENCHMARK(ReadCardFile)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// A fresh database each time, as each command-line run opens it.
void AnalyzeOnce(benchmark::State& state) {
  bench::Fixture& fixture = bench::FixtureOf(kCards);
  const std::string& deck = state.range(0) ? fixture.shuffled : fixture.ordered;
  for (auto _ : state) {
    CardDatabase db(fixture.dir.path());
    const DeckAnalysis analysis = AnalyzeDeckFile(deck, db);
    if (analysis.entries.size() != 60) state.SkipWithError("the deck did not analyse");
    benchmark::DoNotOptimize(ComputeDeckFigures(analysis).costCurve.copies[0][0]);
  }
  state.SetLabel(state.range(0) ? "shuffled" : "name order");
}
BENCHMARK(AnalyzeOnce)
    ->ArgName("shuffled")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void ReanalyseAfterEdit(benchmark::State& state) {
  bench::Fixture& fixture = bench::FixtureOf(kCards);
  CardDatabase db(fixture.dir.path());
  db.KeepIndex(true);
  MainView view;
  auto analyse = [&] {
    auto analysis = std::make_shared<const DeckAnalysis>(
        AnalyzeDeckFile(fixture.shuffled, db, view.Analysis().options, LookupPositionOf(db)));
    ContinueLookups(*analysis, db);
    return analysis;
  };
  view.Show(analyse());
  Catalogue catalogue(db);
  catalogue.Load();
  std::string deck;
  {
    FileSource file(fixture.shuffled);
    ByteReader reader(file);
    for (int c; (c = reader.Get()) != ByteReader::kEnd;) deck.push_back(static_cast<char>(c));
  }
  for (auto _ : state) {
    // The edit: the first line's count goes up or down by one.
    deck[0] = deck[0] == '1' ? '2' : '1';
    fixture.dir.Write("shuffled.txt", deck);
    std::vector<std::string> messages;
    view.Reload(analyse(), db, messages);
    const DeckAnalysis& analysis = view.Analysis();
    const DeckFigures figures = ComputeDeckFigures(analysis);
    const DeckPile pile = DeckPile::FromAnalysis(analysis);
    catalogue.SetDeck(analysis.entries, analysis.cardFile);
    benchmark::DoNotOptimize(figures.costCurve.copies[0][0] + pile.Size() + catalogue.InDeck(0));
  }
}
BENCHMARK(ReanalyseAfterEdit)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Keeps the medians for the summary.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name == "median") medians[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  quillet::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& m = reporter.medians;
  // The names carry the repetitions ("/repeats:9") before the aggregate.
  const auto at = [&m](const std::string& name) {
    for (const auto& [key, time] : m) {
      if (key.starts_with(name + "/repeats") || key.starts_with(name + "_")) return time;
    }
    return 0.0;
  };
  const double read = at("ReadCardFile");
  const double ordered = at("AnalyzeOnce/shuffled:0");
  const double shuffled = at("AnalyzeOnce/shuffled:1");
  std::cout << "\nMedians, 50,000 cards, 60-line deck:\n"
            << "  analysis / reading CardStat.Dat:  " << ordered << " ms / " << read
            << " ms = " << (read > 0 ? ordered / read : 0) << "x (goal: at most 2x)\n"
            << "  shuffled / name order:            " << shuffled << " ms / " << ordered
            << " ms = " << (ordered > 0 ? shuffled / ordered : 0) << "x (goal: at most 1.2x)\n"
            << "  re-analysis after an edit, every panel: " << at("ReanalyseAfterEdit")
            << " ms (goal: under 30 ms)\n";
  benchmark::Shutdown();
  return 0;
}
