#include <gtest/gtest.h>

#include <string>

#include "analysis_fixture.h"
#include "core/analysis/deck_counting.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

using test::Asset;
using test::Card;
using test::Producer;
using test::WithCosts;
using test::WithKeywords;

class StatisticsTest : public test::AnalysisTest {};

TEST_F(StatisticsTest, EmptyDeckIsValidAndGetsTheNormalHQ) {
  Cards({Asset("Grunt")});
  ASSERT_TRUE(Open(""));
  EXPECT_EQ(DeckCount(), 0u);
  EXPECT_EQ(stats().TotalAmount, 0);
  EXPECT_EQ(stats().HQType, "Normal");
  EXPECT_EQ(stats().TotalMilAmount, 15);
  EXPECT_EQ(stats().TotalCovAmount, 15);
  EXPECT_EQ(stats().TotalCybAmount, 15);
  EXPECT_EQ(stats().AverageFP, 0);
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(view_.SaveEnabled());
  EXPECT_TRUE(view_.ShowZero());
}

TEST_F(StatisticsTest, EmptyDeckNeedsNoCardFile) {
  ASSERT_TRUE(Open(""));
  EXPECT_EQ(stats().HQType, "Normal");
}

TEST_F(StatisticsTest, CountsCopiesByTypeRarityAndDomain) {
  Cards({Card("Cell", 'B', 'U', 'C'), Asset("Grunt", "2", "1", "2", "0", 'U'),
         Card("Boost", 'E', 'F', 'V'), Card("Strike", 'I', ' ', 'U'),
         Card("Crawler", 'P', 'M', 'R'), Card("Golani Special Forces HQ", 'H', 'U', 'R')});
  ASSERT_TRUE(
      Open("1\tGolani Special Forces HQ\r\n3\tGrunt\r\n2\tCell\r\n1\tBoost\r\n"
           "4\tStrike\r\n2\tCrawler\r\n"));
  const TDeckStats& s = stats();
  EXPECT_EQ(s.TotalAmount, 12);
  EXPECT_EQ(s.AssetAmount, 3);
  EXPECT_EQ(s.BaseAmount, 2);
  EXPECT_EQ(s.EnhanceAmount, 1);
  EXPECT_EQ(s.IntervenAmount, 4);
  EXPECT_EQ(s.ProgAmount, 2);
  EXPECT_EQ(s.HQAmount, 1);
  EXPECT_EQ(s.CommonAmount, 5);  // the asset is common too; the HQ counts in no rarity
  EXPECT_EQ(s.VRareAmount, 1);
  EXPECT_EQ(s.UncommonAmount, 4);
  EXPECT_EQ(s.RareAmount, 2);
  EXPECT_EQ(s.AllUNAmount, 6);  // HQ included
  EXPECT_EQ(s.AssetUNAmount, 3);
  EXPECT_EQ(s.AllFUSAmount, 1);
  EXPECT_EQ(s.AllMonasAmount, 2);
  EXPECT_EQ(s.HQType, "Golani Special Forces HQ");
  EXPECT_EQ(DeckCount(), 6u);
  EXPECT_EQ(view_.CardList().front(), "1    Golani Special Forces HQ");
}

TEST_F(StatisticsTest, KeywordCountsBelongToTheirCardType) {
  Cards({WithKeywords(Asset("Mech Walker"), {Keyword::Mech, Keyword::Yakusa, Keyword::Alpha}),
         WithKeywords(Card("Mech Kit", 'E'), {Keyword::Mech, Keyword::Gear, Keyword::Item}),
         WithKeywords(Card("Plain Kit", 'E'), {}),
         WithKeywords(Card("Worldwide", 'I'), {Keyword::Global, Keyword::Victory}),
         WithKeywords(Card("Crawler", 'P'), {Keyword::Worm, Keyword::Ice})});
  ASSERT_TRUE(
      Open("2\tMech Walker\r\n3\tMech Kit\r\n4\tPlain Kit\r\n1\tWorldwide\r\n5\tCrawler\r\n"));
  const TDeckStats& s = stats();
  EXPECT_EQ(s.MechAmount, 2);
  EXPECT_EQ(s.YakusaAmount, 2);
  EXPECT_EQ(s.AlphaAmount, 2);
  EXPECT_EQ(s.GearAmount, 3);
  EXPECT_EQ(s.ItemAmount, 3);
  EXPECT_EQ(s.GlobalAmount, 1);
  EXPECT_EQ(s.VictoryAmount, 1);
  EXPECT_EQ(s.WormAmount, 5);
  EXPECT_EQ(s.IceAmount, 5);
  // Gear and Item are both subtracted: 7 enhancements, 3 x 2 keywords.
  EXPECT_EQ(s.OtherEnhAmount, 1);
}

TEST_F(StatisticsTest, BaseProductionCountsTurnsOrFifteenForUnlimited) {
  Cards({Producer("Depot", 'B', ' ', '2', "**"), Producer("Relay", 'B', ' ', '2', "4"),
         Producer("Vault", 'B', ' ', ' ', " ", '1', "3", '3', "**"), Card("Shed", 'B')});
  ASSERT_TRUE(Open("3\tDepot\r\n3\tRelay\r\n1\tVault\r\n2\tShed\r\n"));
  const TDeckStats& s = stats();
  EXPECT_EQ(s.TotalMilAmount, 15 + 90 + 24);
  EXPECT_EQ(s.TotalCovAmount, 15 + 3);
  EXPECT_EQ(s.TotalCybAmount, 15 + 45);
  EXPECT_EQ(s.MilBAmount, 6);
  EXPECT_EQ(s.CovBAmount, 1);
  EXPECT_EQ(s.CybBAmount, 1);
  EXPECT_EQ(s.OtherBaseAmount, 2);
  EXPECT_EQ(s.BaseAmount, 9);
}

TEST(ProductionFigureTest, UnlimitedIsFifteenTurns) {
  EXPECT_EQ(ProductionFigure('2', "**"), 30);
  EXPECT_EQ(ProductionFigure('2', "4"), 8);
  EXPECT_EQ(ProductionFigure('3', "12"), 36);
  EXPECT_THROW(ProductionFigure('2', "*"), ConvertError);
  EXPECT_THROW(ProductionFigure('A', "4"), ConvertError);
}

TEST_F(StatisticsTest, FirstHQProducesOnceWhateverItsCount) {
  Cards({Producer("Alpha HQ", 'H', ' ', '3', "**", ' ', " ", '1', "5"),
         Producer("Beta HQ", 'H', ' ', '9', "**")});
  ASSERT_TRUE(Open("0\tAlpha HQ\r\n2\tBeta HQ\r\n"));
  EXPECT_EQ(stats().HQType, "Alpha HQ");
  EXPECT_EQ(stats().HQAmount, 2);
  EXPECT_EQ(stats().TotalMilAmount, 45);  // no "Normal" 15 either
  EXPECT_EQ(stats().TotalCovAmount, 0);
  EXPECT_EQ(stats().TotalCybAmount, 5);
  EXPECT_EQ(stats().TotalAmount, 0);
}

TEST_F(StatisticsTest, TopdeckCountsEveryTypeButOnlyAssetsAndBasesApart) {
  Cards({WithKeywords(Card("Signal HQ", 'H'), {Keyword::Topdeck}),
         WithKeywords(Asset("Scout"), {Keyword::Topdeck}),
         WithKeywords(Card("Outpost", 'B'), {Keyword::Topdeck}),
         WithKeywords(Card("Flare", 'I'), {Keyword::Topdeck})});
  ASSERT_TRUE(Open("1\tSignal HQ\r\n2\tScout\r\n3\tOutpost\r\n4\tFlare\r\n"));
  EXPECT_EQ(stats().TopDeckAmount, 10);
  EXPECT_EQ(stats().TopDeckAssetAmount, 2);
  EXPECT_EQ(stats().TopDeckBaseAmount, 3);
  EXPECT_EQ(stats().TotalAmount, 9);
}

struct HQBonusCase {
  const char* hq;
  char domain;
  int mil, cyb;  // production with every card of the HQ's domain
};

class HQBonusTest : public test::AnalysisTest, public ::testing::WithParamInterface<HQBonusCase> {};

TEST_P(HQBonusTest, OnlyASingleDomainDeckGetsTheBonus) {
  const auto& p = GetParam();
  Cards({Card(p.hq, 'H', p.domain), Asset("Same", "2", "1", "2", "0", p.domain),
         Asset("Other", "2", "1", "2", "0", p.domain == 'U' ? 'F' : 'U')});
  const std::string hq = std::string("1\t") + p.hq + "\r\n";
  ASSERT_TRUE(Open(hq + "4\tSame\r\n"));
  EXPECT_EQ(stats().TotalMilAmount, p.mil);
  EXPECT_EQ(stats().TotalCybAmount, p.cyb);
  ASSERT_TRUE(Open(hq + "4\tSame\r\n1\tOther\r\n"));
  EXPECT_EQ(stats().TotalMilAmount, 0);
  EXPECT_EQ(stats().TotalCybAmount, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, HQBonusTest,
                         ::testing::Values(HQBonusCase{"Bion HQ", 'M', 0, 15},
                                           HQBonusCase{"Golani Special Forces HQ", 'U', 0, 15},
                                           HQBonusCase{"Dragon Company HQ", 'F', 0, 15},
                                           HQBonusCase{"Dresdner Outsource HQ", 'C', 15, 0},
                                           HQBonusCase{"Arell Cartel HQ", 'N', 0, 0}));

TEST_F(StatisticsTest, ContractsProduceThirtyAndSacrificesNeedPayingAssets) {
  Cards({Card("Arms Export Contract", 'I'), Card("Covert Ops Contract", 'I'),
         Card("Software Maintenance Contract", 'I'), Card("Yakusa Contract", 'I'),
         Asset("Brute", "5"),                                 // pays Military
         WithCosts(Asset("Idle Brute", "6"), "0", "0", "0"),  // pays nothing
         WithKeywords(WithCosts(Asset("Old Brute", "5"), "0", "0", "0"), {Keyword::Veteran}),
         WithCosts(Asset("Sneak", "1", "3"), "0", "1", "0"),
         WithCosts(Asset("Hacker", "1", "1", "2", "4"), "0", "0", "2")});
  ASSERT_TRUE(
      Open("2\tArms Export Contract\r\n1\tCovert Ops Contract\r\n"
           "3\tSoftware Maintenance Contract\r\n1\tYakusa Contract\r\n"
           "2\tBrute\r\n4\tIdle Brute\r\n1\tOld Brute\r\n2\tSneak\r\n1\tHacker\r\n"));
  const TDeckStats& s = stats();
  EXPECT_EQ(s.ArmsExportAmount, 2);
  EXPECT_EQ(s.TotalMilAmount, 15 + 60);
  EXPECT_EQ(s.TotalCovAmount, 15 + 30);
  EXPECT_EQ(s.TotalCybAmount, 15 + 90);
  EXPECT_EQ(s.YakusaContractAmount, 1);
  EXPECT_EQ(s.MilSacrificeAmount, 3);  // Brute and the Veteran; Idle Brute pays nothing
  EXPECT_EQ(s.CovSacrificeAmount, 2);  // the Veteran's Stealth 1 is too low
  EXPECT_EQ(s.CybSacrificeAmount, 1);
}

TEST_F(StatisticsTest, AssetValuesFollowAttackAndAffinity) {
  Cards({Asset("Gunner", "4", "2", "5", "1"), Asset("Gunner Two", "3", "1", "1", "2"),
         [] {
           auto c = Asset("Wall", "9", "4", "7", "3");
           c.AttackMil = c.AttackCov = c.AttackCyb = '0';
           c.MoveMil = c.MoveCov = c.MoveCyb = '0';
           return c;
         }(),
         [] {
           auto c = Asset("Ghost", "0");
           c.AttackMil = c.AttackCov = c.AttackCyb = ' ';  // blank is no "0": it attacks
           return c;
         }()});
  ASSERT_TRUE(Open("1\tGunner\r\n1\tGunner Two\r\n2\tWall\r\n1\tGhost\r\n"));
  const TDeckStats& s = stats();
  EXPECT_EQ(s.OffenceAmount, 3);
  EXPECT_EQ(s.FPSum, 7);
  EXPECT_EQ(s.HighFP, 4);
  EXPECT_EQ(s.AverageFP, 2);  // 7 / 3
  EXPECT_EQ(s.HighStealth, 4);
  EXPECT_EQ(s.HighPercep, 7);
  EXPECT_EQ(s.HighACA, 3);
  EXPECT_EQ(s.ProgrammerAmount, 3);  // CA 1 is no programmer, CA 2 is
  EXPECT_EQ(s.ACASum, 2 + 6);
  EXPECT_EQ(s.AverageACA, 3);  // 8 / 3 = 2.67
  EXPECT_EQ(s.ImmobileAmount, 2);
  EXPECT_EQ(s.AssetMilCost, 5);
}

struct AverageCase {
  int fpSum;  // over two attackers of one copy each
  int average;
};

class AverageRounding : public test::AnalysisTest,
                        public ::testing::WithParamInterface<AverageCase> {};

TEST_P(AverageRounding, HalvesGoToTheEvenNeighbour) {
  const int fp = GetParam().fpSum;
  Cards({Asset("A1", std::to_string(fp / 2)), Asset("A2", std::to_string(fp - fp / 2))});
  ASSERT_TRUE(Open("1\tA1\r\n1\tA2\r\n"));
  EXPECT_EQ(stats().AverageFP, GetParam().average);
}

INSTANTIATE_TEST_SUITE_P(Table, AverageRounding,
                         ::testing::Values(AverageCase{7, 4}, AverageCase{5, 2}, AverageCase{3, 2},
                                           AverageCase{1, 0}, AverageCase{9, 4},
                                           AverageCase{0, 0}));

TEST(RoundedRatioTest, MatchesRoundingOfTheQuotient) {
  EXPECT_EQ(RoundedRatio(7, 2), 4);
  EXPECT_EQ(RoundedRatio(5, 2), 2);
  EXPECT_EQ(RoundedRatio(-5, 2), -2);
  EXPECT_EQ(RoundedRatio(-7, 2), -4);
  EXPECT_EQ(RoundedRatio(5, -2), -2);
  EXPECT_EQ(RoundedRatio(8, 3), 3);
  EXPECT_EQ(RoundedRatio(-8, 3), -3);
}

TEST_F(StatisticsTest, ProgramsSumTheirAffinityAndCosts) {
  auto crawler = WithCosts(Card("Crawler", 'P'), "0", "1", "3");
  crawler.CyberAffinity.Assign("5");
  auto probe = Card("Probe", 'P');
  probe.CyberAffinity.Assign("2");
  Cards({crawler, probe, WithCosts(Card("Boost", 'E'), "2", "0", "0"),
         WithCosts(Card("Strike", 'I'), "1", "1", "1")});
  ASSERT_TRUE(Open("2\tCrawler\r\n1\tProbe\r\n3\tBoost\r\n1\tStrike\r\n"));
  const TDeckStats& s = stats();
  EXPECT_EQ(s.HighPCA, 5);
  EXPECT_EQ(s.PCASum, 12);
  EXPECT_EQ(s.AveragePCA, 4);
  EXPECT_EQ(s.ProgCovCost, 2);
  EXPECT_EQ(s.ProgCybCost, 6);
  EXPECT_EQ(s.EnhMilCost, 6);
  EXPECT_EQ(s.IntervenCybCost, 1);
}

TEST_F(StatisticsTest, CopyLimitIsPerLineAndSparesCommonBases) {
  Cards(
      {Asset("Grunt"), Asset("Sniper"), Card("Cell", 'B', ' ', 'C'), Card("Fort", 'B', ' ', 'U')});
  ASSERT_TRUE(Open("3\tGrunt\r\n3\tGrunt\r\n6\tCell\r\n5\tFort\r\n5\tSniper\r\n"));
  EXPECT_EQ(stats().OverLimitNames, (std::vector<std::string>{"Fort", "Sniper"}));
  EXPECT_EQ(stats().AssetAmount, 11);  // both Grunt lines count
  EXPECT_EQ(DeckCount(), 5u);
}

TEST_F(StatisticsTest, MissingCardsAreNamedOnceInFileOrder) {
  Cards({Asset("Grunt")});
  ASSERT_TRUE(Open("1\tNobody\r\n2\tGrunt\r\n1\tgrunt\r\n1\tGrunt \r\n"));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Error - the following cards could not be found: Nobody, grunt, Grunt ");
  EXPECT_EQ(view_.MissingCards(), (std::vector<std::string>{"Nobody", "grunt", "Grunt "}));
  EXPECT_EQ(DeckCount(), 1u);
  EXPECT_EQ(stats().AssetAmount, 2);
}

TEST_F(StatisticsTest, LfOnlyDecksReadLineByLine) {
  Cards({Asset("Grunt"), Card("Cell", 'B')});
  ASSERT_TRUE(Open("2\tGrunt\n3\tCell\n"));
  EXPECT_EQ(DeckCount(), 2u);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(StatisticsTest, ATrailingCountWithoutTabIsAnEmptyMissingName) {
  Cards({Asset("Grunt")});
  ASSERT_TRUE(Open("2\tGrunt\r\n5"));
  EXPECT_EQ(view_.MissingCards(), (std::vector<std::string>{""}));
  EXPECT_EQ(stats().AssetAmount, 2);
}

TEST_F(StatisticsTest, FieldsNoRuleReachesAreNeverConverted) {
  auto idle = WithCosts(Asset("Idle", ""), "0", "0", "0");  // blank Firepower
  idle.AttackMil = idle.AttackCov = idle.AttackCyb = '0';
  Cards({idle, Card("Cell", 'B')});  // a base's blank costs are never read either
  EXPECT_TRUE(Open("1\tIdle\r\n1\tCell\r\n"));
}

class InvalidCardField : public test::AnalysisTest,
                         public ::testing::WithParamInterface<TCardRecord> {};

TEST_P(InvalidCardField, FailsTheAnalysis) {
  Cards({GetParam()});
  EXPECT_FALSE(Open("1\t" + GetParam().Name.Str() + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Table, InvalidCardField,
                         ::testing::Values(
                             [] {  // an asset paying Military must have a Firepower
                               auto c = Asset("PaysButBlank", "");
                               c.AttackMil = c.AttackCov = c.AttackCyb = '0';
                               return c;
                             }(),
                             Asset("BlankStealth", "2", " "),
                             WithCosts(Card("BlankCost", 'E'), "1", " ", "0"),
                             Producer("BlankTurns", 'B', ' ', '2', " "),
                             Producer("LetterProd", 'H', ' ', 'Z', "2"),
                             [] {
                               auto c = Card("BadCA", 'P');
                               c.CyberAffinity.Assign("x");
                               return c;
                             }()));

TEST_F(StatisticsTest, FiguresBeyondThirtyTwoBitsFailInsteadOfWrapping) {
  Cards({Asset("Grunt", "9")});
  EXPECT_FALSE(Open("2147483647\tGrunt\r\n1\tGrunt\r\n"));
  EXPECT_FALSE(Open("300000000\tGrunt\r\n"));  // FPSum 2.7e9
  EXPECT_TRUE(Open("200000000\tGrunt\r\n"));
}

TEST_F(StatisticsTest, NegativeCountsAreUsedAsWritten) {
  Cards({Asset("Grunt", "3"), Card("Cell", 'B')});
  ASSERT_TRUE(Open("-2\tGrunt\r\n0\tCell\r\n"));
  EXPECT_EQ(stats().AssetAmount, -2);
  EXPECT_EQ(stats().FPSum, -6);
  EXPECT_EQ(stats().AverageFP, 0);  // the sum is not positive
  EXPECT_EQ(view_.Analysis().entries[1].Count, 0);
}

TEST_F(StatisticsTest, PositiveSumOverNoCopiesFails) {
  Cards({Asset("Big", "5"), Asset("Small", "0")});
  EXPECT_FALSE(Open("1\tBig\r\n-1\tSmall\r\n"));
}

}  // namespace
}  // namespace quillet
