// Speed of the card browser's core over a generated database of 20,000
// cards with rules texts of about 200 bytes: opening (loading the catalogue,
// the first query and the default sort by name) must stay under 150 ms, and
// a keystroke (a query with a new search text over names and texts, then the
// sort) under 16 ms. The texts are read before the keystroke is timed; their
// one reading is timed on its own.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/catalogue/catalogue.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

struct Files {
  test::TempDir dir;
  explicit Files(int cards) {
    std::vector<TCardRecord> records;
    std::string texts;
    const std::string words[] = {"Draw a card. ", "Deal 2 damage to a target asset. ",
                                 "When this enters play, search your deck. ",
                                 "Gain 1 resource of any kind. ",
                                 "S\xE9"
                                 "ance. "};
    for (int i = 0; i < cards; ++i) {
      TCardRecord card = test::MakeCard("Card " + std::to_string(100000 + i), "ABEIP"[i % 5]);
      card.HP.Assign(std::to_string(i % 13));
      card.Keywords = static_cast<std::uint32_t>(i * 2654435761u);
      card.TextStart = static_cast<std::int32_t>(texts.size() + 1);
      for (int w = 0; w < 6; ++w) texts += words[(i + w * 7) % 5];
      card.TextEnd = static_cast<std::int32_t>(texts.size());
      records.push_back(card);
    }
    dir.Write("CardStat.Dat", test::RecordsBytes(records));
    dir.Write("CardText.Dat", texts);
  }
};

void BM_OpenBrowser(benchmark::State& state) {
  Files files(static_cast<int>(state.range(0)));
  CardDatabase db(files.dir.path());
  for (auto _ : state) {
    Catalogue catalogue(db);
    catalogue.Load();
    std::vector<std::uint32_t> rows = catalogue.Query({});
    catalogue.Sort(rows, CatalogueColumn::Name, false);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_OpenBrowser)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_FirstTextSearch(benchmark::State& state) {
  Files files(static_cast<int>(state.range(0)));
  CardDatabase db(files.dir.path());
  for (auto _ : state) {
    state.PauseTiming();
    Catalogue catalogue(db);
    catalogue.Load();
    state.ResumeTiming();
    CatalogueQuery query;
    query.text = "s";
    benchmark::DoNotOptimize(catalogue.Query(query).size());
  }
}
BENCHMARK(BM_FirstTextSearch)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_Keystroke(benchmark::State& state) {
  Files files(static_cast<int>(state.range(0)));
  CardDatabase db(files.dir.path());
  Catalogue catalogue(db);
  catalogue.Load();
  catalogue.Text(0);
  const std::string typed[] = {"s",
                               "s\xE9",
                               "s\xE9"
                               "a",
                               "s\xE9"
                               "an",
                               "s\xE9"
                               "anc",
                               "1000"};
  std::size_t k = 0;
  for (auto _ : state) {
    CatalogueQuery query;
    query.text = typed[k++ % std::size(typed)];
    std::vector<std::uint32_t> rows = catalogue.Query(query);
    catalogue.Sort(rows, CatalogueColumn::HP, false);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_Keystroke)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
