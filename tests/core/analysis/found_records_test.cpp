// Where CardStat.Dat holds a name twice, which record a lookup finds depends
// on the lookup cache. Everything shown after an analysis must count the
// records the analysis found, whatever the cache says by then.
#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "core/catalogue/catalogue.h"
#include "core/charts/deck_figures.h"
#include "core/odds/deck_pile.h"
#include "core/report/deck_report.h"

namespace quillet::test {
namespace {

class FoundRecordsTest : public AnalysisTest {
 protected:
  void SetUp() override {
    // Written as it stands, not sorted: "Mire Loop" twice, a program paying
    // 3 in all and then an asset paying 1.
    dir_.Write("CardStat.Dat",
               RecordsBytes({WithCosts(Card("Mire Loop", 'P'), "2", "1", "0"), Card("Bolt", 'E'),
                             WithCosts(Asset("Mire Loop"), "1", "0", "0"), Card("Zed", 'I')}));
    // The first deck leaves the cache just after "Bolt", so the second deck
    // finds the asset (record 2), while a lookup from its own end (after
    // record 2, a name not sorting after itself) would start at record 0 and
    // find the program.
    ASSERT_TRUE(Open("1\tBolt\r\n", "first.txt"));
    ASSERT_TRUE(Open("2\tMire Loop\r\n1\tZed\r\n"));
    ASSERT_EQ(stats().AssetAmount, 2);
    ASSERT_EQ(stats().ProgAmount, 0);
    ASSERT_EQ(view_.Analysis().entries.at(0).Record, 2);
  }
};

TEST_F(FoundRecordsTest, FiguresPileReportAndListsCountTheAnalysedRecords) {
  constexpr std::size_t asset = 0, program = 3;  // as kCostedTypes orders them
  const DeckFigures figures = ComputeDeckFigures(view_.Analysis());
  EXPECT_EQ(figures.costCurve.copies[asset][1], 2);
  EXPECT_EQ(figures.costCurve.copies[program][3], 0);
  EXPECT_EQ(figures.byType[0], 2);  // assets
  EXPECT_EQ(figures.byType[4], 0);  // programs

  const DeckReport report = BuildDeckReport(view_.Analysis());
  EXPECT_EQ(report.figures.costCurve.copies, figures.costCurve.copies);
  EXPECT_EQ(report.figures.byType, figures.byType);

  const DeckPile pile = DeckPile::FromAnalysis(view_.Analysis());
  ASSERT_EQ(pile.Lines().size(), 2u);
  EXPECT_EQ(pile.Lines()[0].Card.CardType, 'A');
  EXPECT_EQ(FigureOddsGroup(view_.Analysis(), "AssetAmount")->Copies, 2);
  EXPECT_EQ(FigureOddsGroup(view_.Analysis(), "ProgAmount")->Copies, 0);

  ASSERT_TRUE(view_.DrillDown("AssetAmount", db_));
  EXPECT_EQ(view_.CardList(), std::vector<std::string>{"2    Mire Loop"});
  ASSERT_TRUE(view_.DrillDown("ProgAmount", db_));
  EXPECT_TRUE(view_.CardList().empty());
  // Twice, for the list left the cache where the lookups would have.
  ASSERT_TRUE(view_.DrillDown("AssetAmount", db_));
  EXPECT_EQ(view_.CardList().size(), 1u);
  EXPECT_EQ(db_.LastFoundName, "Zed");
  EXPECT_EQ(db_.LastFoundPos, 4);

  Catalogue catalogue(db_);
  catalogue.Load();
  catalogue.SetDeck(view_.Analysis().entries, view_.Analysis().cardFile);
  EXPECT_EQ(catalogue.InDeck(0), 0);
  EXPECT_EQ(catalogue.InDeck(2), 2);
  // Without the analysis's file state the count goes to the first record of
  // the name.
  catalogue.SetDeck(view_.Analysis().entries);
  EXPECT_EQ(catalogue.InDeck(0), 2);
}

TEST_F(FoundRecordsTest, ARewrittenFileIsReadAgainForLists) {
  // The cards in another order, and one more: record 2 is now "Bolt".
  dir_.Write("CardStat.Dat",
             RecordsBytes({WithCosts(Asset("Mire Loop"), "1", "0", "0"), Card("Zed", 'I'),
                           Card("Bolt", 'E'), WithCosts(Card("Mire Loop", 'P'), "2", "1", "0"),
                           Card("Yew", 'B')}));
  ASSERT_TRUE(view_.DrillDown("DName", db_));
  EXPECT_EQ(view_.CardList(), (std::vector<std::string>{"2    Mire Loop", "1    Zed"}));
  ASSERT_TRUE(view_.DrillDown("EnhanceAmount", db_));
  EXPECT_TRUE(view_.CardList().empty());
  // The figures stay those of the analysis.
  EXPECT_EQ(ComputeDeckFigures(view_.Analysis()).byType[0], 2);
}

}  // namespace
}  // namespace quillet::test
