#include "core/charts/deck_figures.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <random>

#include "core/analysis/analysis_fixture.h"
#include "core/analysis/card_list_heading.h"

namespace quillet::test {
namespace {

class DeckFiguresTest : public AnalysisTest {};

// A deploy cost as the card data may spell it, for a value the test knows.
std::string Spelling(int value, std::mt19937& random) {
  switch (random() % 3) {
    case 0:
      return std::to_string(value);
    case 1:
      if (value >= 0 && value < 10) return " " + std::to_string(value);  // a leading blank
      return std::to_string(value);
    default:
      if (value >= 0 && value < 16) return "$" + std::string(1, "0123456789ABCDEF"[value]);
      return std::to_string(value);
  }
}

// Random decks over random cards: the curve and the make-up agree with a
// recount over the deck's lines, and every bar's card list holds exactly as
// many copies as the bar shows.
TEST_F(DeckFiguresTest, AgreeWithARecountAndWithTheirCardLists) {
  std::mt19937 random(20240611);
  constexpr char kTypes[] = {'A', 'E', 'I', 'P', 'B', 'H'};
  constexpr char kDomains[] = {'U', 'F', 'M', 'C', 'N', 'I', 'T', ' '};
  struct Known {
    char type;
    char domain;
    int cost;
  };
  std::map<std::string, Known> known;
  std::vector<TCardRecord> cards;
  for (int i = 0; i < 16; ++i) {
    const std::string name = "Figure Card " + std::string(1, static_cast<char>('A' + i));
    const char type = kTypes[random() % 6];
    const char domain = kDomains[random() % 8];
    TCardRecord card =
        type == 'A' ? Asset(name, "2", "1", "2", "0", domain) : Card(name, type, domain);
    int cost = 0;
    if (type != 'B' && type != 'H') {
      const int parts[] = {static_cast<int>(random() % 6) - 1, static_cast<int>(random() % 4),
                           static_cast<int>(random() % 4)};
      card = WithCosts(card, Spelling(parts[0], random), Spelling(parts[1], random),
                       Spelling(parts[2], random));
      cost = parts[0] + parts[1] + parts[2];
    }
    known[name] = {type, domain, cost};
    cards.push_back(card);
  }
  Cards(cards);

  for (int round = 0; round < 60; ++round) {
    std::string deck;
    CostCurve curve;
    std::array<std::int64_t, 6> byType{};
    std::array<std::int64_t, 8> byDomain{};
    const int lines = 1 + static_cast<int>(random() % 12);
    for (int l = 0; l < lines; ++l) {
      const int copies = 1 + static_cast<int>(random() % 4);
      const bool missing = random() % 8 == 0;
      const std::string name =
          missing ? "No Such Card"
                  : "Figure Card " + std::string(1, static_cast<char>('A' + random() % 16));
      deck += std::to_string(copies) + "\t" + name + "\r\n";
      if (missing) continue;
      const Known& k = known[name];
      const std::string types = "ABEIPH";
      byType[types.find(k.type)] += copies;
      byDomain[std::string("UFMCNIT ").find(k.domain)] += copies;
      const std::string costed = "AEIP";
      if (costed.find(k.type) != std::string::npos) {
        const int bucket = k.cost <= 0 ? 0 : k.cost >= 6 ? 6 : k.cost;
        curve.copies[costed.find(k.type)][static_cast<std::size_t>(bucket)] += copies;
      }
    }
    ASSERT_TRUE(Open(deck)) << deck;
    const DeckFigures figures = ComputeDeckFigures(view_.Analysis());
    ASSERT_EQ(figures.costCurve.copies, curve.copies) << deck;
    ASSERT_EQ(figures.byType, byType) << deck;
    ASSERT_EQ(figures.byDomain, byDomain) << deck;

    if (DeckCount() == 0) continue;  // every line missing: no lists
    auto listCopies = [&](const ChartBar& bar) {
      EXPECT_TRUE(ShowBarCards(view_, db_, bar));
      std::int64_t sum = 0;
      for (const auto& entry : view_.CardListEntries()) sum += entry.Count;
      return sum;
    };
    for (int b = 0; b < kCostBuckets; ++b) {
      for (int t = 0; t < 4; ++t) {
        ASSERT_EQ(listCopies({FigureChart::kCostCurve, b, t}),
                  curve.copies[static_cast<std::size_t>(t)][static_cast<std::size_t>(b)]);
      }
    }
    for (int t = 0; t < 6; ++t) {
      ASSERT_EQ(listCopies({FigureChart::kMakeUp, 0, t}), byType[static_cast<std::size_t>(t)]);
    }
    for (int d = 0; d < 8; ++d) {
      ASSERT_EQ(listCopies({FigureChart::kMakeUp, 1, d}), byDomain[static_cast<std::size_t>(d)]);
    }

    // The domain bars count what the window's domain figures count, with
    // "Count assets only" and without, and so do their lists.
    constexpr std::string_view kDomainFields[] = {
        "UNAmount",      "FUSAmount",         "MonasAmount",    "CorpAmount",
        "NoNamesAmount", "InnerCircleAmount", "TranscendAmount"};
    for (const bool assetsOnly : {true, false}) {
      view_.SetAssetSwitch(assetsOnly);
      const DeckFigures shown = ComputeDeckFigures(view_.Analysis());
      ASSERT_EQ(shown.domainsOfAssetsOnly, assetsOnly);
      for (std::size_t d = 0; d < 7; ++d) {
        ASSERT_EQ(shown.byDomain[d], view_.FieldValue(kDomainFields[d])) << deck << assetsOnly;
      }
      std::int64_t total = 0;
      for (int d = 0; d < 8; ++d) {
        const std::int64_t copies = shown.byDomain[static_cast<std::size_t>(d)];
        ASSERT_EQ(listCopies({FigureChart::kMakeUp, 1, d}), copies);
        total += copies;
      }
      ASSERT_EQ(total, assetsOnly ? byType[0]
                                  : std::accumulate(byType.begin(), byType.end(), std::int64_t{0}));
    }
  }
}

TEST_F(DeckFiguresTest, ResourcesSetProductionAgainstTheCostOfEveryCard) {
  Cards({Producer("Small Depot", 'B', 'U', '2', "4"),
         WithCosts(Asset("Heavy Walker"), "9", "1", "0"),
         WithCosts(Card("Night Bulletin", 'I'), "1", "0", "2"),
         WithCosts(Card("Lattice Worm", 'P'), "0", "0", "3")});
  ASSERT_TRUE(
      Open("1\tSmall Depot\r\n3\tHeavy Walker\r\n1\tNight Bulletin\r\n1\tLattice Worm\r\n"));
  const DeckFigures figures = ComputeDeckFigures(view_.Analysis());
  // Production is the window's, the HQ's share included; the cost is every
  // card's, whatever the cost selector shows.
  view_.SelectCostKind("Assets");
  EXPECT_EQ(figures.resources[0].production, stats().TotalMilAmount);
  EXPECT_EQ(figures.resources[1].production, stats().TotalCovAmount);
  EXPECT_EQ(figures.resources[0].cost, 3 * 9 + 1);
  EXPECT_EQ(figures.resources[1].cost, 3);
  EXPECT_EQ(figures.resources[2].cost, 5);
  ASSERT_LT(stats().TotalMilAmount, 28);
  EXPECT_TRUE(figures.resources[0].Shortfall());
  EXPECT_EQ(ComputeDeckFigures(view_.Analysis()).resources[0].cost, 28);

  // The production bar lists the producers, the cost bar the payers.
  ASSERT_TRUE(ShowBarCards(view_, db_, {FigureChart::kResources, 0, 0}));
  EXPECT_EQ(view_.CardList(), std::vector<std::string>{"1    Small Depot"});  // no HQ line
  EXPECT_EQ(view_.ProposedFileName(), "MilitaryProductionList.txt");
  EXPECT_EQ(view_.ShownList(), "MilitaryProduction");
  EXPECT_EQ(CardListHeading(view_), "Military production: 1 copy in 1 line");
  ASSERT_TRUE(ShowBarCards(view_, db_, {FigureChart::kResources, 2, 1}));
  EXPECT_EQ(view_.CardList(),
            (std::vector<std::string>{"1    Night Bulletin", "1    Lattice Worm"}));
  EXPECT_EQ(view_.ProposedFileName(), "CyberOpsCostList.txt");
  // A figure's list afterwards names the figure again.
  ASSERT_TRUE(view_.DrillDown("AssetAmount", db_));
  EXPECT_EQ(view_.ShownList(), "AssetAmount");
  EXPECT_EQ(view_.ProposedFileName(), "AssetList.txt");
  EXPECT_EQ(view_.ShownTitle(), "");
}

TEST(ChartBarNames, SayWhatTheListIs) {
  const struct {
    ChartBar bar;
    std::string_view file, title;
  } names[] = {
      {{FigureChart::kCostCurve, 3, 0}, "Cost3AssetList.txt", "Assets costing 3"},
      {{FigureChart::kCostCurve, 0, 1}, "Cost0EnhancementList.txt", "Enhancements costing 0"},
      {{FigureChart::kCostCurve, 6, 3}, "Cost6PlusProgramList.txt", "Programs costing 6 or more"},
      {{FigureChart::kResources, 1, 0}, "CovertProductionList.txt", "Covert production"},
      {{FigureChart::kResources, 0, 1}, "MilitaryCostList.txt", "Military cost"},
      {{FigureChart::kMakeUp, 0, 5}, "HQTypeList.txt", "HQs"},
      {{FigureChart::kMakeUp, 1, 5}, "InnerCircleDomainList.txt", "Inner Circle cards"},
      {{FigureChart::kMakeUp, 1, 7}, "NoDomainList.txt", "Cards of no domain"},
      {{FigureChart::kCostCurve, 7, 0}, "", ""},
      {{FigureChart::kResources, 0, 2}, "", ""},
      {{FigureChart::kMakeUp, 2, 0}, "", ""},
  };
  for (const auto& n : names) {
    EXPECT_EQ(BarListName(n.bar), n.file);
    EXPECT_EQ(BarTitle(n.bar), n.title);
  }
}

TEST_F(DeckFiguresTest, NoBarListWithoutADeck) {
  Cards({Asset("Lone Scout")});
  EXPECT_FALSE(ShowBarCards(view_, db_, {FigureChart::kCostCurve, 1, 0}));
  EXPECT_TRUE(view_.ShownList().empty());
  EXPECT_EQ(CostBucket(-4), 0);
  EXPECT_EQ(CostBucket(5), 5);
  EXPECT_EQ(CostBucket(600), 6);
}

}  // namespace
}  // namespace quillet::test
