// Speed of the deck analysis ("Open..." as the window runs it) for a 60-line
// deck against generated card databases of 5,000, 10,000 and 20,000 cards,
// sorted by lower-cased name as the card list is. The deck is listed once in
// name order and once shuffled: the analysis reads the card file once however
// the deck is ordered, so the cost should grow linearly with the database and
// the shuffled deck should cost no more than twice the ordered one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/master_model.h"
#include "card_data/card_record.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

TCardRecord MakeCard(int i) {
  static constexpr char kTypes[] = {'A', 'A', 'B', 'E', 'I', 'P'};
  static constexpr char kDomains[] = {'U', 'F', 'M', 'C', 'N', 'I', 'T', ' '};
  TCardRecord c;
  // Names spread evenly over the alphabet: "Card aaaa 00001" ...
  std::string name = "Card ";
  for (int k = 0, v = i; k < 4; ++k, v /= 26) name += static_cast<char>('a' + v % 26);
  name.append(" ").append(std::to_string(100000 + i));
  c.Name.Assign(name);
  c.CardType = kTypes[i % 6];
  c.Domain = kDomains[i % 8];
  c.Rarity = "CURV"[i % 4];
  c.Firepower.Assign(std::to_string(i % 8));
  c.Stealth.Assign(std::to_string(i % 5));
  c.Perception.Assign(std::to_string(i % 7));
  c.CyberAffinity.Assign(std::to_string(i % 6));
  const bool base = c.CardType == 'B';
  c.DeployMil.Assign(base ? " " : std::to_string(i % 3));
  c.DeployCov.Assign(base ? " " : "1");
  c.DeployCyb.Assign(base ? " " : "0");
  c.AttackMil = c.MoveMil = '1';
  c.AttackCov = c.AttackCyb = c.MoveCov = c.MoveCyb = '0';
  c.ProdMil = base ? '2' : ' ';
  c.ProdCov = c.ProdCyb = ' ';
  c.TurnsMil.Assign(base ? "**" : "");
  c.Keywords = (1u << (i % 30)) | (1u << ((i * 7) % 30));
  return c;
}

// A database of `size` cards in a temporary program folder, with two deck
// files of the same 60 cards: one in name order, one shuffled.
struct Fixture {
  explicit Fixture(int size) {
    std::vector<TCardRecord> cards;
    cards.reserve(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) cards.push_back(MakeCard(i));
    std::sort(cards.begin(), cards.end(), [](const TCardRecord& a, const TCardRecord& b) {
      return SortsAfterIgnoringCase(b.Name.View(), a.Name.View());
    });
    std::string bytes;
    for (const auto& card : cards) {
      const auto record = EncodeRecord(card);
      bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    dir.Write("CardStat.Dat", bytes);

    std::vector<std::string> names;
    for (int k = 0; k < 60; ++k)
      names.push_back(
          cards[static_cast<std::size_t>((static_cast<std::int64_t>(k) * size) / 60 + 7)]
              .Name.Str());
    auto deck = [](const std::vector<std::string>& lines) {
      std::string text;
      for (std::size_t k = 0; k < lines.size(); ++k) {
        text.append(std::to_string(1 + k % 3)).append("\t").append(lines[k]).append("\r\n");
      }
      return text;
    };
    ordered = dir.Write("ordered.txt", deck(names));
    std::mt19937 random(42);
    std::shuffle(names.begin(), names.end(), random);
    shuffled = dir.Write("shuffled.txt", deck(names));
  }
  test::TempDir dir;
  std::string ordered;
  std::string shuffled;
};

Fixture& FixtureOf(int size) {
  static std::map<int, std::unique_ptr<Fixture>> fixtures;
  auto& fixture = fixtures[size];
  if (!fixture) fixture = std::make_unique<Fixture>(size);
  return *fixture;
}

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
