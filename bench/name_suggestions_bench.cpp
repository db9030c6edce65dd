// What the suggestions for a deck's unfound names cost against a database
// of 20,000 cards: 60 names at once (a whole pasted deck none of whose names
// is exact), a third of them loose matches, a third a few typos away and a
// third matching nothing, and the same 60 all matching nothing, where every
// card of a close enough length is measured. The generated names all have
// the same length, so the length filter drops none of them: the near search
// is at its slowest. Building the index (once per state of the card file)
// is measured apart.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/card_data/card_index.h"
#include "core/names/name_suggestions.h"
#include "generated_cards.h"

namespace quillet {
namespace {

constexpr int kCards = 20000;

std::vector<std::string> DeckNames() {
  bench::Fixture& fixture = bench::FixtureOf(kCards);
  std::vector<std::string> names;
  const std::string deck = test::TempDir::Read(fixture.ordered);
  for (std::size_t pos = 0; pos < deck.size();) {
    const std::size_t tab = deck.find('\t', pos);
    const std::size_t end = deck.find("\r\n", tab);
    names.push_back(deck.substr(tab + 1, end - tab - 1));
    pos = end + 2;
  }
  return names;
}

// Unfound names made from the deck's: upper-cased (loose), two bytes
// swapped and one changed (near), or a name no card is near (none).
std::vector<std::string> UnfoundNames(bool noneOnly) {
  std::vector<std::string> names = DeckNames();
  for (std::size_t k = 0; k < names.size(); ++k) {
    std::string& name = names[k];
    const std::size_t kind = noneOnly ? 2 : k % 3;
    if (kind == 0) {
      for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      }
    } else if (kind == 1) {
      std::swap(name[6], name[7]);
      name[12] = name[12] == '9' ? '0' : '9';
    } else {
      name = "Zq" + std::to_string(k) + " Unheard-of Thing";
    }
  }
  return names;
}

void BuildIndex(benchmark::State& state) {
  bench::Fixture& fixture = bench::FixtureOf(kCards);
  const auto cards = CardIndex::Shared(fixture.dir.path() + "CardStat.Dat");
  for (auto _ : state) {
    const SuggestionIndex index(*cards);
    benchmark::DoNotOptimize(index.Size());
  }
}
BENCHMARK(BuildIndex)->Unit(benchmark::kMillisecond);

void SuggestSixtyNames(benchmark::State& state) {
  bench::Fixture& fixture = bench::FixtureOf(kCards);
  const auto index = SuggestionIndex::Shared(fixture.dir.path() + "CardStat.Dat");
  const std::vector<std::string> names = UnfoundNames(state.range(0) != 0);
  for (const std::string& name : names) {
    if (index->Has(name)) state.SkipWithError("a name to suggest for is a card");
  }
  for (auto _ : state) {
    std::size_t suggested = 0;
    for (const std::string& name : names) suggested += index->Suggest(name).names.size();
    benchmark::DoNotOptimize(suggested);
  }
  state.SetLabel(state.range(0) != 0 ? "60 names matching nothing" : "20 loose, 20 near, 20 none");
}
BENCHMARK(SuggestSixtyNames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
