// Speed of the card reader's scans, which run inside a click: the opening
// scan for the requested card (every time the reader becomes active) and a
// Find Card that matches nothing, both reading the whole card file record by
// record, over generated databases of 5,000 and 20,000 cards. The goal is
// that either stays well under the 100 ms a click may take.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/card_data/card_record.h"
#include "core/reader/reader_model.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

struct QuietHost : ReaderHost {
  void ShowMessage(const std::string&) override {}
};

std::string Database(int cards) {
  std::vector<TCardRecord> records;
  records.reserve(static_cast<std::size_t>(cards));
  for (int i = 0; i < cards; ++i) {
    TCardRecord card = test::MakeCard("Card " + std::to_string(100000 + i));
    card.TextStart = i * 10 + 1;
    card.TextEnd = i * 10 + 10;
    records.push_back(card);
  }
  return test::RecordsBytes(records);
}

void BM_OpenOnTheLastCard(benchmark::State& state) {
  const int cards = static_cast<int>(state.range(0));
  test::TempDir dir;
  dir.Write("CardStat.Dat", Database(cards));
  dir.Write("CardText.Dat", std::string(static_cast<std::size_t>(cards) * 10, 'x'));
  CardDatabase db(dir.path());
  std::string selected = "Card " + std::to_string(100000 + cards - 1);
  QuietHost host;
  ReaderModel reader(db, selected, host);
  for (auto _ : state) {
    reader.FormActivate();
    benchmark::DoNotOptimize(reader.view().CardName);
  }
  state.SetItemsProcessed(state.iterations() * cards);
}

void BM_FindCardWithoutMatch(benchmark::State& state) {
  const int cards = static_cast<int>(state.range(0));
  test::TempDir dir;
  dir.Write("CardStat.Dat", Database(cards));
  CardDatabase db(dir.path());
  std::string selected;
  QuietHost host;
  ReaderModel reader(db, selected, host);
  reader.FormActivate();
  for (auto _ : state) {
    reader.SearchButtonClick("no such card");
    benchmark::DoNotOptimize(reader.view().CardName);
  }
  state.SetItemsProcessed(state.iterations() * cards);
}

BENCHMARK(BM_OpenOnTheLastCard)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindCardWithoutMatch)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
