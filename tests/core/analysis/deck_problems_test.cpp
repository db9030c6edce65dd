#include "core/analysis/deck_problems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace quillet {
namespace {

// A 40-card deck that breaks no rule: the starting point every case changes.
TDeckStats Sound() {
  TDeckStats s;
  s.TotalAmount = 40;
  s.AssetAmount = 20;
  s.BaseAmount = 20;
  s.HQType = "Normal";
  s.OffenceAmount = 10;
  s.AntiTerAmount = 1;
  s.SaboAmount = 1;
  s.HighFP = 7;
  s.FPSum = 30;
  s.HighPercep = 6;
  s.HighStealth = 3;
  s.TotalMilAmount = 100;
  s.AssetMilCost = 100;
  return s;
}

bool Has(const std::vector<std::string>& list, const std::string& sentence) {
  return std::find(list.begin(), list.end(), sentence) != list.end();
}

TEST(DeckProblemsTest, ASoundDeckHasNoProblem) {
  EXPECT_TRUE(CheckDeckProblems(Sound()).empty());
}

// One rule at its boundary: the change that just fires it and the change
// that just does not.
struct Boundary {
  const char* label;
  std::string sentence;
  std::function<void(TDeckStats&)> fires;
  std::function<void(TDeckStats&)> holds;
};

class ProblemRuleBoundary : public ::testing::TestWithParam<Boundary> {};

TEST_P(ProblemRuleBoundary, FiresOnlyPastItsLimit) {
  TDeckStats firing = Sound();
  GetParam().fires(firing);
  EXPECT_TRUE(Has(CheckDeckProblems(firing), GetParam().sentence));
  TDeckStats holding = Sound();
  GetParam().holds(holding);
  EXPECT_FALSE(Has(CheckDeckProblems(holding), GetParam().sentence));
}

using S = TDeckStats;
const std::string kNoAssetHand = "There is a high chance for a first turn hand with no assets!!";

INSTANTIATE_TEST_SUITE_P(
    Table, ProblemRuleBoundary,
    ::testing::Values(
        Boundary{"Size", "This deck has less than 40 cards - It is illegal under normal rules!",
                 [](S& s) { s.TotalAmount = 39; }, [](S& s) { s.TotalAmount = 40; }},
        Boundary{"NoAssets", "This deck has no assets!!!",
                 [](S& s) { s.AssetAmount = s.OffenceAmount = s.FPSum = 0; },
                 [](S& s) { s.AssetAmount = 1; }},
        Boundary{"NoBases", "This deck has no bases!!!", [](S& s) { s.BaseAmount = 0; },
                 [](S& s) { s.BaseAmount = 1; }},
        Boundary{"Immobile", "All the assets are immobile!!", [](S& s) { s.ImmobileAmount = 20; },
                 [](S& s) { s.ImmobileAmount = 19; }},
        Boundary{"NoAttack", "There are no assets capable of attack!!",
                 [](S& s) { s.OffenceAmount = s.FPSum = 0; },
                 [](S& s) { s.AssetAmount = s.OffenceAmount = s.FPSum = 0; }},
        // 4 assets of 40: chance 61; 10 of 40: 92; and exactly 90 is no warning.
        Boundary{"AssetHand", kNoAssetHand, [](S& s) { s.AssetAmount = 4; },
                 [](S& s) { s.AssetAmount = 10; }},
        // 7 Topdeck cards leave one place, drawn from 10 cards: 9 assets give 90.
        Boundary{"AssetHandExactly90", kNoAssetHand,
                 [](S& s) { s.TotalAmount = 17, s.TopDeckAmount = 7, s.AssetAmount = 8; },
                 [](S& s) { s.TotalAmount = 17, s.TopDeckAmount = 7, s.AssetAmount = 9; }},
        Boundary{"BaseHand", "There is a high chance for a first turn hand with no bases!!",
                 [](S& s) { s.BaseAmount = 5; }, [](S& s) { s.BaseAmount = 10; }},
        Boundary{"Military", "This deck may not produce enough Military resources!",
                 [](S& s) { s.TotalMilAmount = 99; },
                 [](S& s) { s.TotalMilAmount = 0, s.AssetMilCost = 0; }},
        Boundary{"Covert", "This deck may not produce enough Covert resources!",
                 [](S& s) { s.EnhCovCost = 1; },
                 [](S& s) { s.EnhCovCost = 1, s.TotalCovAmount = 1; }},
        Boundary{"CyberOps", "This deck may not produce enough CyberOps resources!",
                 [](S& s) { s.ProgCybCost = 16, s.TotalCybAmount = 15; },
                 [](S& s) { s.ProgCybCost = 15, s.TotalCybAmount = 15; }},
        Boundary{"Bion", "Non-Monastery cards in Bion HQ deck!",
                 [](S& s) { s.HQType = "Bion HQ", s.AllMonasAmount = 40; },
                 [](S& s) { s.HQType = "Bion HQ", s.AllMonasAmount = 41; }},
        Boundary{"BionCase", "Non-Monastery cards in Bion HQ deck!",
                 [](S& s) { s.HQType = "Bion HQ"; }, [](S& s) { s.HQType = "bion HQ"; }},
        Boundary{"Golani", "Non-UN cards in Golani Special Forces HQ deck!",
                 [](S& s) { s.HQType = "Golani Special Forces HQ", s.AllUNAmount = 40; },
                 [](S& s) { s.HQType = "Golani Special Forces HQ", s.AllUNAmount = 41; }},
        Boundary{"Dresdner", "Non-Corporate cards in Dresdner Outsource HQ deck!",
                 [](S& s) { s.HQType = "Dresdner Outsource HQ", s.AllCorpAmount = 40; },
                 [](S& s) { s.HQType = "Dresdner Outsource HQ", s.AllCorpAmount = 41; }},
        Boundary{"Dragon", "Non-FUS cards in Dragon Company HQ deck!",
                 [](S& s) { s.HQType = "Dragon Company HQ", s.AllFUSAmount = 40; },
                 [](S& s) { s.HQType = "Dragon Company HQ", s.AllFUSAmount = 41; }},
        Boundary{"Arell", "Non-Nonames cards in Arell Cartel HQ deck!",
                 [](S& s) { s.HQType = "Arell Cartel HQ", s.AllNoNamesAmount = 40; },
                 [](S& s) { s.HQType = "Arell Cartel HQ", s.AllNoNamesAmount = 41; }},
        Boundary{"Yakusa", "Yakusa assets are useless without a Yakusa Contract!",
                 [](S& s) { s.YakusaAmount = 1; },
                 [](S& s) { s.YakusaAmount = 1, s.YakusaContractAmount = 1; }},
        Boundary{"ArmsExport",
                 "More Arms Export Contracts than FP 5 or more military assets to sacrifice!",
                 [](S& s) { s.ArmsExportAmount = 3, s.MilSacrificeAmount = 2; },
                 [](S& s) { s.ArmsExportAmount = 3, s.MilSacrificeAmount = 3; }},
        Boundary{"CovertOps",
                 "More Covert Ops Contracts than stealth 3 or more covert assets to sacrifice!",
                 [](S& s) { s.CovertOpsAmount = 1; },
                 [](S& s) { s.CovertOpsAmount = 1, s.CovSacrificeAmount = 1; }},
        Boundary{"SoftMaint",
                 "More Software Maintenance Contracts than cyberaffinity 4 or more cyberops "
                 "assets to sacrifice!",
                 [](S& s) { s.SoftMaintAmount = 1; },
                 [](S& s) { s.SoftMaintAmount = 1, s.CybSacrificeAmount = 1; }},
        Boundary{"AntiTer", "This deck has no AntiTerrorism assets!",
                 [](S& s) { s.AntiTerAmount = 0; }, [](S& s) { s.AntiTerAmount = 1; }},
        Boundary{"TwoHQs",
                 "There is more than 1 HQ card in the deck! Note that only the first is "
                 "considered above.",
                 [](S& s) { s.HQAmount = 2; }, [](S& s) { s.HQAmount = 1; }},
        Boundary{"ProgramCA", "There are programs that require a higher CA than is available!",
                 [](S& s) { s.HighPCA = 3, s.HighACA = 2; },
                 [](S& s) { s.HighPCA = 3, s.HighACA = 3; }},
        Boundary{"TopDeck", "There are more than 8 top deck cards!",
                 [](S& s) { s.TopDeckAmount = 9; }, [](S& s) { s.TopDeckAmount = 8; }},
        Boundary{"FirePowerHigh", "This deck has low FirePower!", [](S& s) { s.HighFP = 3; },
                 [](S& s) { s.HighFP = 4; }},
        // One attacker of FP 5 and six of FP 0 average 0.71; four of FP 0: exactly 1.0.
        Boundary{"FirePowerAverage", "This deck has low FirePower!",
                 [](S& s) { s.HighFP = 5, s.FPSum = 5, s.OffenceAmount = 7; },
                 [](S& s) { s.HighFP = 5, s.FPSum = 5, s.OffenceAmount = 5; }},
        Boundary{"FirePowerSeven", "This deck has low FirePower!",
                 [](S& s) { s.HighFP = 6, s.FPSum = 6, s.OffenceAmount = 7; },
                 [](S& s) { s.HighFP = 7, s.FPSum = 7, s.OffenceAmount = 8; }},
        Boundary{"Perception", "This deck has low Perception!", [](S& s) { s.HighPercep = 5; },
                 [](S& s) { s.HighPercep = 6; }},
        Boundary{"Stealth", "This deck has low Stealth!", [](S& s) { s.HighStealth = 2; },
                 [](S& s) { s.HighStealth = 3; }},
        Boundary{"Missiles", "There are missiles in the deck, but no assets with launchers.",
                 [](S& s) { s.MissileAmount = 1; },
                 [](S& s) { s.MissileAmount = 1, s.LauncherAmount = 1; }},
        Boundary{"Stimulants", "There are Stimulants in this deck despite having only Mech assets!",
                 [](S& s) { s.StimAmount = 1, s.MechAmount = 20; },
                 [](S& s) { s.StimAmount = 1, s.MechAmount = 19; }},
        Boundary{"Implants", "There are Implants in this deck despite having only Mech assets!",
                 [](S& s) { s.ImplantAmount = 1, s.MechAmount = 20; },
                 [](S& s) { s.ImplantAmount = 0, s.MechAmount = 20; }},
        Boundary{"Viruses", "There are Viruses in this deck despite having only Mech assets!",
                 [](S& s) { s.VirusAmount = 2, s.MechAmount = 20; },
                 [](S& s) { s.VirusAmount = 2, s.MechAmount = 1; }},
        Boundary{"Large", "This deck has more than 60 cards.", [](S& s) { s.TotalAmount = 61; },
                 [](S& s) { s.TotalAmount = 60; }},
        Boundary{"Sabotage", "This deck has no Sabotage assets.", [](S& s) { s.SaboAmount = 0; },
                 [](S& s) { s.SaboAmount = 1; }},
        // Programmers of CA 8, 2 and 2 average 4.0.
        Boundary{"AverageCA",
                 "There are programs that require a significantly higher than average CA.",
                 [](S& s) { s.HighACA = 8, s.ACASum = 12, s.ProgrammerAmount = 3, s.HighPCA = 7; },
                 [](S& s) { s.HighACA = 8, s.ACASum = 12, s.ProgrammerAmount = 3, s.HighPCA = 6; }},
        Boundary{"AverageCAOnlyWithoutRow23",
                 "There are programs that require a significantly higher than average CA.",
                 [](S& s) { s.HighACA = 8, s.ACASum = 12, s.ProgrammerAmount = 3, s.HighPCA = 8; },
                 [](S& s) { s.HighACA = 8, s.ACASum = 12, s.ProgrammerAmount = 3, s.HighPCA = 9; }},
        Boundary{"MilitarySurplus", "There may be too many Military bases in the deck.",
                 [](S& s) { s.TotalMilAmount = 161; }, [](S& s) { s.TotalMilAmount = 160; }},
        Boundary{"CovertSurplus", "There may be too many Covert bases in the deck.",
                 [](S& s) { s.TotalCovAmount = 61; }, [](S& s) { s.TotalCovAmount = 60; }},
        // One place drawn from 20 cards: 19 bases give exactly 95, not examined.
        Boundary{"CyberOpsSurplus", "There may be too many CyberOps bases in the deck.",
                 [](S& s) {
                   s.TotalCybAmount = 61;
                   s.TotalAmount = 27, s.TopDeckAmount = 7, s.BaseAmount = 20;
                 },
                 [](S& s) {
                   s.TotalCybAmount = 61;
                   s.TotalAmount = 27, s.TopDeckAmount = 7, s.BaseAmount = 19;
                 }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DeckProblemsTest, EmptyDeckGetsExactlyTheseRowsInOrder) {
  TDeckStats s;
  s.HQType = "Normal";
  s.TotalMilAmount = s.TotalCovAmount = s.TotalCybAmount = 15;
  EXPECT_EQ(CheckDeckProblems(s),
            (std::vector<std::string>{
                "This deck has less than 40 cards - It is illegal under normal rules!",
                "This deck has no assets!!!", "This deck has no bases!!!",
                "All the assets are immobile!!", "This deck has no AntiTerrorism assets!",
                "This deck has low FirePower!", "This deck has low Perception!",
                "This deck has low Stealth!", "This deck has no Sabotage assets."}));
}

TEST(DeckProblemsTest, OverLimitNamesComeSecondInDeckOrder) {
  TDeckStats s = Sound();
  s.TotalAmount = 39;
  s.OverLimitNames = {"Sniper", "Fort"};
  const auto problems = CheckDeckProblems(s);
  ASSERT_GE(problems.size(), 3u);
  EXPECT_EQ(problems[1],
            "This deck has more than 4 of 'Sniper' - It is illegal under normal rules!");
  EXPECT_EQ(problems[2], "This deck has more than 4 of 'Fort' - It is illegal under normal rules!");
  EXPECT_EQ(CheckDeckProblems(s), problems);  // the same statistics, the same list
}

TEST(DeckProblemsTest, AveragesOverNegativeCountsAreExact) {
  TDeckStats s = Sound();
  s.HighFP = 5;
  s.FPSum = 3;
  s.OffenceAmount = -2;  // average -1.5 is below 1
  EXPECT_TRUE(Has(CheckDeckProblems(s), "This deck has low FirePower!"));
  s.OffenceAmount = 0;  // a positive sum over no attackers
  EXPECT_THROW(CheckDeckProblems(s), std::domain_error);
}

}  // namespace
}  // namespace quillet
