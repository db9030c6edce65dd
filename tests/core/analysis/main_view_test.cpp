#include "core/analysis/main_view.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "analysis_fixture.h"
#include "core/analysis/drill_down.h"
#include "core/card_data/io_error.h"

namespace quillet {
namespace {

using test::Asset;
using test::Card;
using test::Producer;
using test::WithCosts;
using test::WithKeywords;
using Lines = std::vector<std::string>;

TEST(MasterFieldsTest, EveryFieldIsNamedOnceShowsAFigureAndOpensAList) {
  std::set<std::string_view> names;
  int percentages = 0;
  const TDeckStats stats;
  for (const auto& field : MasterFields()) {
    EXPECT_TRUE(names.insert(field.name).second) << field.name;
    EXPECT_TRUE(MainView::HasList(field.name)) << field.name;
    const bool shown = FindStat(stats, field.name) != nullptr || field.name.ends_with("Cost") ||
                       field.name == "UNAmount" || field.name == "FUSAmount" ||
                       field.name == "MonasAmount" || field.name == "CorpAmount" ||
                       field.name == "NoNamesAmount" || field.name == "InnerCircleAmount" ||
                       field.name == "TranscendAmount";
    EXPECT_TRUE(shown) << field.name;
    percentages += field.percentage;
  }
  EXPECT_EQ(MasterFields().size(), 72u);
  EXPECT_EQ(percentages, 3);
  EXPECT_TRUE(MainView::HasList("DName"));
  EXPECT_TRUE(MainView::HasList("HQType"));
  EXPECT_FALSE(MainView::HasList("CostBox"));
  EXPECT_EQ(StatFields().size(), 101u);
}

TEST(MasterFieldsTest, CaptionsAndHintsAreTheWindowsOwn) {
  auto find = [](std::string_view name) {
    for (const auto& f : MasterFields()) {
      if (f.name == name) return f;
    }
    return MasterField{};
  };
  EXPECT_EQ(find("AntiTerAmount").caption, "AT: ");
  EXPECT_EQ(find("AverageFP").hint, "Average FP of all assets that can attack. ");
  EXPECT_EQ(find("OtherEnhAmount").hint, "Double click to see all keywordless enhanecements");
  EXPECT_EQ(find("UNAmount").hint, "Double click to see all UN Cards");
  EXPECT_TRUE(find("SelectCard").percentage);
  EXPECT_EQ(find("TopDeckAmount").hint, "");
}

class MainViewTest : public test::AnalysisTest {
 protected:
  void SetUp() override {
    auto fort = Producer("Fort", 'B', 'U', '2', "**");
    fort.Rarity = 'U';
    Cards({Producer("Golani Special Forces HQ", 'H', 'U', '1', "**"),
           Producer("Golani Decoy HQ", 'H', 'U', '3', "2"), fort,
           Asset("Grunt", "3", "4", "2", "0", 'U'), Asset("Sniper", "6", "4", "5", "0", 'F'),
           Asset("Mole", "1", "3", "1", "0", 'I'),
           WithCosts(Card("Patch", 'P', 'I'), "0", "0", "2"),
           WithKeywords(Card("Lone Wolf", 'I', 'U'), {Keyword::Unique}),
           Card("Arms Export Contract", 'I')});
  }
  static constexpr std::string_view kDeck =
      "1\tGolani Special Forces HQ\r\n3\tGrunt\r\n2\tSniper\r\n1\tMole\r\n"
      "2\tPatch\r\n1\tLone Wolf\r\n2\tFort\r\n1\tGolani Decoy HQ\r\n1\tArms Export Contract\r\n";
  Lines List(std::string_view component) {
    EXPECT_TRUE(view_.DrillDown(component, db_));
    EXPECT_EQ(view_.ShownList(), component);
    return view_.CardList();
  }
};

TEST_F(MainViewTest, StartsEmptyWithAllCards) {
  for (const auto& field : MasterFields()) EXPECT_EQ(Field(field.name), 0) << field.name;
  EXPECT_FALSE(view_.ShowZero());
  EXPECT_EQ(view_.CostBoxItems(), Lines{"All cards"});
  EXPECT_EQ(view_.CostBoxText(), "All cards");
  EXPECT_EQ(view_.ProposedFileName(), "CardList.txt");
  EXPECT_FALSE(view_.SaveEnabled());
  EXPECT_FALSE(view_.DrillDown("TotalAmount", db_));  // no deck: nothing happens
}

TEST_F(MainViewTest, AnalysisFillsTheWindow) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(view_.DName(), dir_.File("deck.txt"));
  EXPECT_EQ(view_.HQType(), "Golani Special Forces HQ");
  EXPECT_TRUE(view_.ShowZero());
  EXPECT_TRUE(view_.SaveEnabled());
  EXPECT_EQ(view_.CostBoxItems(), (Lines{"Assets", "Interventions", "Programs", "All cards"}));
  EXPECT_EQ(view_.CostBoxText(), "All cards");
  EXPECT_EQ(Field("MilCost"), 6);  // six assets of 1 Military
  EXPECT_EQ(Field("CybCost"), 4);  // two programs of 2
  EXPECT_EQ(Field("UNAmount"), 1 + 3 + 1 + 2 + 1);
  EXPECT_EQ(Field("InnerCircleAmount"), 3);
  EXPECT_EQ(Field("TotalMilAmount"), 15 + 60 + 30);
  EXPECT_EQ(Field("NoAssets"), 0);  // 6 assets of 12 cards fill any hand of 8
  EXPECT_EQ(Field("NoBases"), 9);   // 2 bases of 12: none in 9.09 percent
  EXPECT_EQ(view_.CardList().size(), 9u);
  EXPECT_EQ(view_.CardList()[1], "3    Grunt");
  EXPECT_FALSE(view_.ProblemBox().empty());
  EXPECT_EQ(view_.ProblemBox().front(),
            "This deck has less than 40 cards - It is illegal under normal rules!");
}

TEST_F(MainViewTest, CostBoxChoosesTheSumsAndHints) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(view_.FieldHint("MilCost"),
            "Total amount of Military resources required to deploy all your cards");
  view_.SelectCostKind("Programs");
  EXPECT_EQ(Field("MilCost"), 0);
  EXPECT_EQ(Field("CybCost"), 4);
  EXPECT_EQ(view_.FieldHint("CybCost"),
            "Total amount of CyberOps resources required to run all your programs");
  view_.SelectCostKind("Enhancements");  // not offered for this deck, but its sums show
  EXPECT_EQ(Field("CybCost"), 0);
  EXPECT_EQ(view_.FieldHint("CovCost"),
            "Total amount of Covert resources required to use all your enhancements");
  view_.SelectCostKind("Interventions");
  EXPECT_EQ(view_.FieldHint("MilCost"),
            "Total amount of Military resources required to invoke all your interventions");
  view_.SelectCostKind("Assets");
  EXPECT_EQ(Field("MilCost"), 6);
  // A new analysis starts again from "All cards".
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(view_.CostBoxText(), "All cards");
  EXPECT_EQ(view_.FieldHint("MilCost"),
            "Total amount of Military resources required to deploy all your cards");
}

TEST_F(MainViewTest, AssetSwitchChoosesTheDomainCountsAndHints) {
  EXPECT_EQ(view_.FieldHint("UNAmount"), "Double click to see all UN Cards");
  ASSERT_TRUE(Open(kDeck));
  view_.SetAssetSwitch(true);
  EXPECT_EQ(Field("UNAmount"), 3);  // the HQ and the other cards drop out
  EXPECT_EQ(Field("InnerCircleAmount"), 1);
  EXPECT_EQ(view_.FieldHint("UNAmount"), "Double click to see UN assets");
  EXPECT_EQ(view_.FieldHint("InnerCircleAmount"), "Double click to see Inner Circle assets");
  EXPECT_EQ(view_.FieldHint("TranscendAmount"), "Double click to see Transcendent assets");
  view_.SetAssetSwitch(false);
  EXPECT_EQ(Field("UNAmount"), 8);
  EXPECT_EQ(view_.FieldHint("UNAmount"), "Double click to see all UN cards");
  EXPECT_EQ(view_.FieldHint("InnerCircleAmount"), "Double click to see all Inner Circle cards");
}

TEST_F(MainViewTest, CancelledDialogKeepsTheFiguresButNoDeckIsLoaded) {
  ASSERT_TRUE(Open(kDeck));
  view_.Unload();
  EXPECT_FALSE(view_.Loaded());
  EXPECT_EQ(view_.DName(), dir_.File("deck.txt"));
  EXPECT_EQ(Field("AssetAmount"), 6);
  // The switches change the hints only, and the lists still work.
  view_.SetAssetSwitch(true);
  EXPECT_EQ(Field("UNAmount"), 8);
  EXPECT_EQ(view_.FieldHint("UNAmount"), "Double click to see UN assets");
  EXPECT_EQ(List("TotalAmount").size(), 7u);
}

TEST_F(MainViewTest, FailureAfterASuccessEmptiesEverything) {
  ASSERT_TRUE(Open(kDeck));
  view_.SelectCostKind("Assets");
  ASSERT_FALSE(Open("4 \tGrunt\r\n", "bad.txt"));
  ASSERT_EQ(messages_, Lines{"File '" + dir_.File("bad.txt") + "' is not a valid deck file."});
  for (const auto& field : MasterFields()) EXPECT_EQ(Field(field.name), 0) << field.name;
  EXPECT_FALSE(view_.ShowZero());
  EXPECT_EQ(view_.DName(), "");
  EXPECT_EQ(view_.HQType(), "");
  EXPECT_EQ(view_.CostBoxItems(), Lines{"All cards"});
  EXPECT_EQ(view_.FieldHint("MilCost"),
            "Total amount of Military resources required to deploy all your cards");
  EXPECT_TRUE(view_.ProblemBox().empty());
  EXPECT_TRUE(view_.CardList().empty());
  EXPECT_FALSE(view_.SaveEnabled());
  EXPECT_EQ(static_cast<int>(DeckCount()), 0);
  EXPECT_FALSE(stats().HQFound);
  EXPECT_TRUE(stats().OverLimitNames.empty());
  EXPECT_FALSE(view_.DrillDown("DName", db_));
  // A valid deck afterwards analyses normally.
  EXPECT_TRUE(Open(kDeck));
}

TEST_F(MainViewTest, AMissingDeckFileIsAnInvalidDeck) {
  EXPECT_FALSE(OpenFile(dir_.File("nowhere.txt")));
  EXPECT_EQ(messages_, Lines{"File '" + dir_.File("nowhere.txt") + "' is not a valid deck file."});
}

TEST_F(MainViewTest, ReloadReadsTheNewFileAndKeepsTheUsersChoices) {
  ASSERT_TRUE(Open(kDeck));
  view_.SetAssetSwitch(true);
  view_.SelectCostKind("Programs");
  ASSERT_EQ(List("AssetAmount").size(), 3u);
  // The deck gains a fourth asset; the reload reads it, so the figures, the
  // cost sums and the reopened list all follow the new file.
  std::string grown(kDeck);
  grown.replace(grown.find("1\tMole"), 1, "2");
  grown.replace(grown.find("2\tPatch"), 1, "4");
  dir_.Write("deck.txt", grown);
  const auto result = Reload();
  EXPECT_TRUE(result.analysed);
  EXPECT_TRUE(result.listReopened);
  EXPECT_TRUE(view_.AssetSwitch());
  EXPECT_EQ(view_.CostBoxText(), "Programs");
  EXPECT_EQ(Field("CybCost"), 8);
  EXPECT_EQ(Field("AssetAmount"), 7);
  EXPECT_EQ(view_.ShownList(), "AssetAmount");
  EXPECT_EQ(view_.CardList(), (Lines{"3    Grunt", "2    Sniper", "2    Mole"}));
  EXPECT_EQ(view_.ProposedFileName(), "AssetList.txt");

  // A cost kind the deck has lost falls back to all cards; no shown list,
  // nothing reopened.
  ASSERT_TRUE(Open(kDeck));
  view_.SelectCostKind("Programs");
  dir_.Write("deck.txt", "1\tGolani Special Forces HQ\r\n3\tGrunt\r\n");
  const auto lost = Reload();
  EXPECT_TRUE(lost.analysed);
  EXPECT_FALSE(lost.listReopened);
  EXPECT_EQ(view_.CostBoxText(), "All cards");
  EXPECT_EQ(view_.ShownList(), "");
}

TEST_F(MainViewTest, ReloadOfABrokenDeckSaysSoAndEmptiesTheWindow) {
  ASSERT_TRUE(Open(kDeck));
  ASSERT_TRUE(view_.DrillDown("TotalAmount", db_));
  dir_.Write("deck.txt", "4 \tGrunt\r\n");
  messages_.clear();
  const auto result = Reload();
  EXPECT_FALSE(result.analysed);
  EXPECT_FALSE(result.listReopened);
  EXPECT_EQ(messages_, Lines{"File '" + dir_.File("deck.txt") + "' is not a valid deck file."});
  EXPECT_TRUE(view_.CardList().empty());
}

// The not-found message speaks once per deck file: a re-analysis that finds
// only names already named stays quiet, a new name or another deck speaks.
TEST_F(MainViewTest, TheNotFoundMessageComesOncePerDeckFile) {
  const std::string odd = std::string(kDeck) + "1\tGrnt\r\n";
  const std::string once = "Error - the following cards could not be found: Grnt";
  ASSERT_TRUE(Open(odd));
  EXPECT_EQ(messages_, Lines{once});
  messages_.clear();
  EXPECT_TRUE(Reload().analysed);
  EXPECT_TRUE(Open(odd));  // the same file opened again
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(view_.MissingCards(), Lines{"Grnt"});

  dir_.Write("deck.txt", odd + "1\tSnpr\r\n");
  messages_.clear();
  Reload();
  EXPECT_EQ(messages_, Lines{"Error - the following cards could not be found: Grnt, Snpr"});

  // Some names fixed, then brought back: nothing the user was not told.
  ASSERT_TRUE(Open(kDeck));
  ASSERT_TRUE(Open(odd));
  EXPECT_TRUE(messages_.empty());

  ASSERT_TRUE(Open(odd, "other.txt"));
  EXPECT_EQ(messages_, Lines{once});
  ASSERT_TRUE(Open(odd));
  EXPECT_EQ(messages_, Lines{once});
}

// The user's choices outlive any number of broken saves in a row, but not
// the opening of another deck.
TEST_F(MainViewTest, ChoicesSurviveABrokenStretchOfReloads) {
  ASSERT_TRUE(Open(kDeck));
  view_.SetAssetSwitch(true);
  view_.SelectCostKind("Programs");
  ASSERT_TRUE(view_.DrillDown("AssetAmount", db_));
  for (const char* broken : {"4 \tGrunt\r\n", "garbage\x01\r\n"}) {
    dir_.Write("deck.txt", broken);
    EXPECT_FALSE(Reload().analysed);
  }
  dir_.Write("deck.txt", kDeck);
  const auto mended = Reload();
  EXPECT_TRUE(mended.analysed);
  EXPECT_TRUE(mended.listReopened);
  EXPECT_TRUE(view_.AssetSwitch());
  EXPECT_EQ(view_.CostBoxText(), "Programs");
  EXPECT_EQ(view_.ShownList(), "AssetAmount");

  dir_.Write("deck.txt", "4 \tGrunt\r\n");
  EXPECT_FALSE(Reload().analysed);
  ASSERT_FALSE(Open("4 \tGrunt\r\n", "other.txt"));
  dir_.Write("other.txt", kDeck);
  const auto fresh = Reload();
  EXPECT_FALSE(fresh.listReopened);
  EXPECT_EQ(view_.CostBoxText(), "All cards");
}

TEST_F(MainViewTest, DrillDownListsFollowTheDeckOrder) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(List("HQType"), (Lines{"1    Golani Special Forces HQ", "1    Golani Decoy HQ"}));
  EXPECT_EQ(view_.ProposedFileName(), "HQList.txt");
  EXPECT_EQ(List("TotalAmount").size(), 7u);  // no HQ lines
  EXPECT_EQ(List("UncommonAmount"), Lines{"2    Fort"});
  // The Unique list shows every Unique card, the count only Unique assets.
  EXPECT_EQ(List("UniqueAmount"), Lines{"1    Lone Wolf"});
  EXPECT_EQ(Field("UniqueAmount"), 0);
  // Both assets of Stealth 4, each with its own line count.
  EXPECT_EQ(List("HighStealth"), (Lines{"3    Grunt", "2    Sniper"}));
  EXPECT_EQ(view_.ProposedFileName(), "HighStealthList.txt");
  EXPECT_EQ(List("HighFP"), Lines{"2    Sniper"});
  // Every producing HQ line and the contract, though only the first HQ counts.
  EXPECT_EQ(List("TotalMilAmount"), (Lines{"1    Golani Special Forces HQ", "2    Fort",
                                           "1    Golani Decoy HQ", "1    Arms Export Contract"}));
  EXPECT_EQ(List("InnerCircleAmount"), (Lines{"1    Mole", "2    Patch"}));
  EXPECT_EQ(view_.ProposedFileName(), "Inner CircleList.txt");
  EXPECT_EQ(List("DName").size(), 9u);
  EXPECT_EQ(view_.ProposedFileName(), "CardList.txt");
}

TEST_F(MainViewTest, DomainListsFollowTheAssetSwitch) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(List("UNAmount").front(), "1    Golani Special Forces HQ");
  view_.SetAssetSwitch(true);
  EXPECT_EQ(List("UNAmount"), Lines{"3    Grunt"});
}

TEST_F(MainViewTest, CostListsFollowTheCostBox) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(List("MilCost"), (Lines{"3    Grunt", "2    Sniper", "1    Mole"}));
  EXPECT_EQ(List("CybCost"), Lines{"2    Patch"});
  EXPECT_EQ(view_.ProposedFileName(), "CybOpCostList.txt");
  view_.SelectCostKind("Programs");
  EXPECT_TRUE(List("MilCost").empty());
  EXPECT_EQ(view_.ProposedFileName(), "MilCostList.txt");
}

TEST_F(MainViewTest, AFieldHoldingNoNumberKeepsACardOutOfANumericList) {
  auto odd = Card("Odd Base", 'B');
  odd.DeployMil.Assign("Q");  // never read by the analysis, which skips base costs
  Cards({Asset("Grunt"), odd});
  ASSERT_TRUE(Open("1\tGrunt\r\n1\tOdd Base\r\n"));
  EXPECT_EQ(List("MilCost"), Lines{"1    Grunt"});
}

TEST_F(MainViewTest, DrillDownSkipsCardsTheRebuiltFileLacks) {
  ASSERT_TRUE(Open(kDeck));
  Cards({Asset("Grunt", "3", "4", "2", "0", 'U')});
  EXPECT_EQ(List("DName"), Lines{"3    Grunt"});
}

TEST_F(MainViewTest, EveryTableListBuildsWithoutError) {
  ASSERT_TRUE(Open(kDeck));
  for (const auto& list : DrillDownLists()) {
    EXPECT_TRUE(view_.DrillDown(list.component, db_)) << list.component;
    EXPECT_EQ(view_.ProposedFileName(), list.listName);
  }
}

TEST_F(MainViewTest, SelectingALineShowsItsOpeningHandChance) {
  std::string deck = "3\tGrunt\r\n1\tGolani Special Forces HQ\r\n";
  Cards({Asset("Grunt"), Card("Cell", 'B'), Card("Golani Special Forces HQ", 'H')});
  ASSERT_TRUE(Open(deck + "37\tCell\r\n"));
  view_.CardListClick(0, db_);
  EXPECT_EQ(Field("SelectCard"), 50);
  view_.CardListClick(1, db_);
  EXPECT_EQ(Field("SelectCard"), 100);
  view_.CardListClick(7, db_);  // no such line
  EXPECT_EQ(Field("SelectCard"), 100);
  // A card the rebuilt file lacks is taken as a plain card.
  Cards({Card("Cell", 'B')});
  view_.CardListClick(1, db_);
  EXPECT_EQ(Field("SelectCard"), 20);
}

TEST_F(MainViewTest, ReaderAndCopyTakeTheNamePart) {
  EXPECT_EQ(view_.CardToRead(0), std::nullopt);  // an empty list: the reader keeps its card
  EXPECT_EQ(view_.CopyText(0), "");
  ASSERT_TRUE(Open("12\tGrunt\r\n"));
  EXPECT_EQ(view_.CardToRead(0), "Grunt");
  EXPECT_EQ(view_.CardToRead(std::nullopt), "");
  EXPECT_EQ(view_.CardList()[0], "12   Grunt");
  EXPECT_EQ(view_.CopyText(0), "Grunt");
  EXPECT_EQ(view_.CopyText(std::nullopt), "");
}

TEST_F(MainViewTest, SavedListIsADeckFile) {
  ASSERT_TRUE(Open(kDeck));
  const std::string path = dir_.File("saved.txt");
  view_.SaveList(path);
  EXPECT_EQ(test::TempDir::Read(path), std::string(kDeck));
  ASSERT_TRUE(view_.DrillDown("HighStealth", db_));
  view_.SaveList(path);
  EXPECT_EQ(test::TempDir::Read(path), "3\tGrunt\r\n2\tSniper\r\n");
}

TEST_F(MainViewTest, SavedListKeepsLongCountsApartFromTheName) {
  ASSERT_TRUE(Open("123456\tGrunt\r\n-12345\tSniper\r\n"));
  EXPECT_EQ(view_.CardList()[0], "123456Grunt");
  view_.SaveList(dir_.File("long.txt"));
  EXPECT_EQ(test::TempDir::Read(dir_.File("long.txt")), "123456\tGrunt\r\n-12345\tSniper\r\n");
  EXPECT_EQ(view_.CardToRead(0), "Grunt");
}

TEST_F(MainViewTest, FailedSaveLeavesTheTargetAsItWas) {
  ASSERT_TRUE(Open(kDeck));
  const std::string target = dir_.File("taken");
  ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
  dir_.Write("taken/inside.txt", "kept");
  EXPECT_THROW(view_.SaveList(target), IoError);
  EXPECT_EQ(test::TempDir::Read(target + "/inside.txt"), "kept");
  EXPECT_THROW(view_.SaveList(dir_.File("no/such/folder.txt")), IoError);
  // No temporary file is left beside the target.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.path())) ++entries;
  EXPECT_EQ(entries, 3);  // CardStat.Dat, deck.txt, taken
}

}  // namespace
}  // namespace quillet
