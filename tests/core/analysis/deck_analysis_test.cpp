#include "core/analysis/deck_analysis.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "analysis_fixture.h"
#include "core/analysis/deck_counting.h"
#include "core/analysis/main_view.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

using test::Asset;
using test::Card;

// Names with duplicates in the file and near misses, so that where a lookup
// starts decides which record it finds.
const std::vector<std::string> kNames = {"Amber Gate",  "amber gate", "Brass Lynx", "Cinder",
                                         "Cinder Keep", "Dune Rider", "Zephyr",     "No Such"};

std::string AnyName(std::mt19937& random) {
  return kNames[std::uniform_int_distribution<std::size_t>(0, kNames.size() - 1)(random)];
}

std::string RandomDeck(std::mt19937& random) {
  std::string deck;
  const auto lines = std::uniform_int_distribution<int>(0, 9)(random);
  for (int k = 0; k < lines; ++k) {
    deck += std::to_string(std::uniform_int_distribution<int>(1, 3)(random)) + "\t" +
            AnyName(random) + "\r\n";
  }
  return deck;
}

// What the deck's lines find when looked up one after the other with the
// database's own scan: the brute-force model of the analysis's lookups.
struct Scanned {
  std::vector<std::int32_t> records;  // of the found lines
  std::vector<std::string> missing;
  LookupPosition position;
  std::int32_t currentIndex = 0;
};
Scanned Scan(CardDatabase& db, const std::vector<DeckLine>& lines) {
  Scanned s;
  for (const DeckLine& line : lines) {
    if (db.LookupCard(line.name)) {
      s.records.push_back(db.CurrentCardIndex - 1);
    } else {
      s.missing.push_back(line.name);
    }
  }
  s.position = {db.LastFoundName, db.LastFoundPos};
  s.currentIndex = db.CurrentCardIndex;
  return s;
}

void ExpectScanned(const DeckAnalysis& a, const Scanned& s, const std::string& context) {
  ASSERT_FALSE(a.failure) << context;
  std::vector<std::int32_t> records;
  for (const TDeckEntry& entry : a.entries) records.push_back(entry.Record);
  EXPECT_EQ(records, s.records) << context;
  EXPECT_EQ(a.missing, s.missing) << context;
  EXPECT_EQ(a.position, s.position) << context;
  if (a.lastRecord) {
    EXPECT_EQ(*a.lastRecord + 1, s.currentIndex) << context;
  }
}

class DeckAnalysisTest : public test::AnalysisTest {
 protected:
  // A view of every card, as the windows share it.
  std::shared_ptr<const CardView> WholeView() {
    CardDatabase db(dir_.path());
    db.KeepIndex(true);
    return db.View({});
  }

  void SetUp() override {
    // Two records of "Amber Gate" and of "Cinder", out of name order, so
    // that the cache decides which one a lookup finds.
    std::vector<TCardRecord> cards = {Asset("Amber Gate", "3"), Card("Brass Lynx", 'E'),
                                      Asset("Cinder", "5"),     Asset("Amber Gate", "7"),
                                      Card("Cinder Keep", 'H'), Asset("Dune Rider"),
                                      Asset("Cinder", "1"),     Card("Zephyr", 'P')};
    dir_.Write("CardStat.Dat", test::RecordsBytes(cards));
  }
};

// Random decks, each analysed from where the last one left the cache, by the
// shared index and by the pass for the deck's names: every line finds the
// record the database's own scan finds from the same position, and the
// position moves on as the scan moves it.
TEST_F(DeckAnalysisTest, ChainedAnalysesFindWhatTheScanFinds) {
  std::mt19937 random(20261210);
  CardDatabase scanned(dir_.path()), indexed(dir_.path()), named(dir_.path());
  indexed.KeepIndex(true);
  LookupPosition indexPosition, namesPosition;
  for (int round = 0; round < 200; ++round) {
    const std::string bytes = RandomDeck(random);
    const std::vector<DeckLine> lines = DeckLinesOf(bytes);
    const Scanned expected = Scan(scanned, lines);
    const auto indexView = indexed.View({});
    const auto namesView = named.View(DeckLineNames(lines));
    const DeckAnalysis byIndex = AnalyzeDeck("d", lines, indexView.get(), {}, indexPosition);
    const DeckAnalysis byNames = AnalyzeDeck("d", lines, namesView.get(), {}, namesPosition);
    ExpectScanned(byIndex, expected, "index, round " + std::to_string(round) + ": " + bytes);
    ExpectScanned(byNames, expected, "names, round " + std::to_string(round) + ": " + bytes);
    indexPosition = byIndex.position;
    namesPosition = byNames.position;
  }
}

// Analyses share one view from many threads and never see each other: each
// thread's values are the ones a lone analysis gives.
TEST_F(DeckAnalysisTest, AnalysesOnManyThreadsEqualLoneOnes) {
  std::mt19937 random(7);
  std::vector<std::string> decks(64);
  for (auto& deck : decks) deck = RandomDeck(random);
  const auto view = WholeView();
  auto totals = [&](std::size_t first, std::size_t step) {
    std::vector<std::int32_t> result(decks.size(), -1);
    for (std::size_t i = first; i < decks.size(); i += step) {
      const DeckAnalysis a = AnalyzeDeck("d", DeckLinesOf(decks[i]), view.get());
      result[i] = a.failure ? -2 : a.stats.TotalAmount * 1000 + a.stats.HighFP;
    }
    return result;
  };
  const std::vector<std::int32_t> alone = totals(0, 1);
  std::vector<std::vector<std::int32_t>> parts(4);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < parts.size(); ++t) {
    threads.emplace_back([&, t] { parts[t] = totals(t, parts.size()); });
  }
  for (auto& thread : threads) thread.join();
  for (std::size_t i = 0; i < decks.size(); ++i) {
    EXPECT_EQ(parts[i % parts.size()][i], alone[i]) << decks[i];
  }
}

// A failure is part of the value: nothing of the deck but the names not
// found (when its last line was read) and the lookups as far as they went;
// the view then says both, in the order the window shows them.
TEST_F(DeckAnalysisTest, AFailureKeepsOnlyWhatTheWindowStillSays) {
  const auto view = WholeView();
  const DeckAnalysis badCount =
      AnalyzeDeck("d", DeckLinesOf("1\tZephyr\r\nx\tCinder\r\n"), view.get());
  ASSERT_TRUE(badCount.failure);
  EXPECT_THROW(std::rethrow_exception(badCount.failure), ConvertError);
  EXPECT_TRUE(badCount.missing.empty() && badCount.entries.empty());
  EXPECT_EQ(badCount.position.lastFoundName, "Zephyr");  // the first line was looked up

  // Positive firepower over no attacking copies: the average fails after
  // the last line, so the name not found is still said.
  const auto lines = DeckLinesOf("2\tCinder\r\n-2\tDune Rider\r\n1\tNo Such\r\n");
  const auto failed = std::make_shared<const DeckAnalysis>(AnalyzeDeck("d", lines, view.get()));
  ASSERT_TRUE(failed->failure);
  EXPECT_EQ(failed->missing, std::vector<std::string>{"No Such"});
  MainView shown;
  EXPECT_EQ(shown.Show(failed),
            (std::vector<std::string>{MissingCardsMessage({"No Such"}), InvalidDeckMessage("d")}));
  EXPECT_TRUE(shown.DName().empty());
  EXPECT_TRUE(shown.Analysis().entries.empty());
}

// The options change what the figures show, never what was counted.
TEST_F(DeckAnalysisTest, OptionsChooseTheShownFigures) {
  const auto view = WholeView();
  const DeckAnalysis all =
      AnalyzeDeck("d", DeckLinesOf("2\tAmber Gate\r\n3\tBrass Lynx\r\n"), view.get());
  const DeckAnalysis assets = all.WithOptions({true, "Enhancements"});
  EXPECT_EQ(all.CostKindItems(), (std::vector<std::string>{"Assets", "Enhancements", "All cards"}));
  EXPECT_EQ(all.FieldValue("MilCost"), 2);  // the asset's Military 1, twice
  EXPECT_EQ(assets.FieldValue("MilCost"), 0);
  EXPECT_EQ(assets.FieldValue("TotalAmount"), all.FieldValue("TotalAmount"));
  EXPECT_EQ(assets.stats.TotalAmount, 5);
}

}  // namespace
}  // namespace quillet
