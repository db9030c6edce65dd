#include "core/analysis/master_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "analysis_fixture.h"
#include "core/analysis/drill_down.h"
#include "core/card_data/io_error.h"
#include "core/settings/ini_settings.h"

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
  Session session("/nonexistent/");
  MasterModel model(session);
  for (const auto& field : MasterFields()) {
    EXPECT_TRUE(names.insert(field.name).second) << field.name;
    EXPECT_TRUE(model.HasList(field.name)) << field.name;
    const bool shown = FindStat(session.stats, field.name) != nullptr ||
                       field.name.ends_with("Cost") || field.name == "UNAmount" ||
                       field.name == "FUSAmount" || field.name == "MonasAmount" ||
                       field.name == "CorpAmount" || field.name == "NoNamesAmount" ||
                       field.name == "InnerCircleAmount" || field.name == "TranscendAmount";
    EXPECT_TRUE(shown) << field.name;
    percentages += field.percentage;
  }
  EXPECT_EQ(MasterFields().size(), 72u);
  EXPECT_EQ(percentages, 3);
  EXPECT_TRUE(model.HasList("DName"));
  EXPECT_TRUE(model.HasList("HQType"));
  EXPECT_FALSE(model.HasList("CostBox"));
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

class MasterModelTest : public test::AnalysisTest {
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
    EXPECT_TRUE(model_.DrillDown(component));
    EXPECT_EQ(model_.ShownList(), component);
    return model_.CardList();
  }
};

TEST_F(MasterModelTest, StartsEmptyWithAllCards) {
  EXPECT_TRUE(model_.Create());
  for (const auto& field : MasterFields()) EXPECT_EQ(Field(field.name), 0) << field.name;
  EXPECT_FALSE(model_.ShowZero());
  EXPECT_EQ(model_.CostBoxItems(), Lines{"All cards"});
  EXPECT_EQ(model_.CostBoxText(), "All cards");
  EXPECT_EQ(model_.ProposedFileName(), "CardList.txt");
  EXPECT_FALSE(model_.SaveEnabled());
  EXPECT_FALSE(model_.DrillDown("TotalAmount"));  // no deck: nothing happens
}

TEST(MasterModelCreateTest, ReportsAMissingDataFile) {
  test::TempDir dir;
  Session session(dir.path());
  MasterModel model(session);
  EXPECT_FALSE(model.Create());
}

TEST_F(MasterModelTest, AnalysisFillsTheWindow) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(model_.DName(), dir_.File("deck.txt"));
  EXPECT_EQ(model_.HQType(), "Golani Special Forces HQ");
  EXPECT_TRUE(model_.ShowZero());
  EXPECT_TRUE(model_.SaveEnabled());
  EXPECT_EQ(model_.CostBoxItems(), (Lines{"Assets", "Interventions", "Programs", "All cards"}));
  EXPECT_EQ(model_.CostBoxText(), "All cards");
  EXPECT_EQ(Field("MilCost"), 6);  // six assets of 1 Military
  EXPECT_EQ(Field("CybCost"), 4);  // two programs of 2
  EXPECT_EQ(Field("UNAmount"), 1 + 3 + 1 + 2 + 1);
  EXPECT_EQ(Field("InnerCircleAmount"), 3);
  EXPECT_EQ(Field("TotalMilAmount"), 15 + 60 + 30);
  EXPECT_EQ(Field("NoAssets"), 0);  // 6 assets of 12 cards fill any hand of 8
  EXPECT_EQ(Field("NoBases"), 9);   // 2 bases of 12: none in 9.09 percent
  EXPECT_EQ(model_.CardList().size(), 9u);
  EXPECT_EQ(model_.CardList()[1], "3    Grunt");
  EXPECT_FALSE(model_.ProblemBox().empty());
  EXPECT_EQ(model_.ProblemBox().front(),
            "This deck has less than 40 cards - It is illegal under normal rules!");
}

TEST_F(MasterModelTest, CostBoxChoosesTheSumsAndHints) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(model_.FieldHint("MilCost"),
            "Total amount of Military resources required to deploy all your cards");
  model_.SelectCostKind("Programs");
  EXPECT_EQ(Field("MilCost"), 0);
  EXPECT_EQ(Field("CybCost"), 4);
  EXPECT_EQ(model_.FieldHint("CybCost"),
            "Total amount of CyberOps resources required to run all your programs");
  model_.SelectCostKind("Enhancements");  // not offered for this deck, but its sums show
  EXPECT_EQ(Field("CybCost"), 0);
  EXPECT_EQ(model_.FieldHint("CovCost"),
            "Total amount of Covert resources required to use all your enhancements");
  model_.SelectCostKind("Interventions");
  EXPECT_EQ(model_.FieldHint("MilCost"),
            "Total amount of Military resources required to invoke all your interventions");
  model_.SelectCostKind("Assets");
  EXPECT_EQ(Field("MilCost"), 6);
  // A new analysis starts again from "All cards".
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(model_.CostBoxText(), "All cards");
  EXPECT_EQ(model_.FieldHint("MilCost"),
            "Total amount of Military resources required to deploy all your cards");
}

TEST_F(MasterModelTest, AssetSwitchChoosesTheDomainCountsAndHints) {
  EXPECT_EQ(model_.FieldHint("UNAmount"), "Double click to see all UN Cards");
  ASSERT_TRUE(Open(kDeck));
  model_.SetAssetSwitch(true);
  EXPECT_EQ(Field("UNAmount"), 3);  // the HQ and the other cards drop out
  EXPECT_EQ(Field("InnerCircleAmount"), 1);
  EXPECT_EQ(model_.FieldHint("UNAmount"), "Double click to see UN assets");
  EXPECT_EQ(model_.FieldHint("InnerCircleAmount"), "Double click to see Inner Circle assets");
  EXPECT_EQ(model_.FieldHint("TranscendAmount"), "Double click to see Transcendent assets");
  model_.SetAssetSwitch(false);
  EXPECT_EQ(Field("UNAmount"), 8);
  EXPECT_EQ(model_.FieldHint("UNAmount"), "Double click to see all UN cards");
  EXPECT_EQ(model_.FieldHint("InnerCircleAmount"), "Double click to see all Inner Circle cards");
}

TEST_F(MasterModelTest, CancelledDialogKeepsTheFiguresButNoDeckIsLoaded) {
  ASSERT_TRUE(Open(kDeck));
  host_.answer.reset();
  model_.OpenDeck(host_, false);
  EXPECT_TRUE(session_.deck.DeckFileName.empty());
  EXPECT_EQ(model_.DName(), dir_.File("deck.txt"));
  EXPECT_EQ(Field("AssetAmount"), 6);
  // The switches change the hints only, and the lists still work.
  model_.SetAssetSwitch(true);
  EXPECT_EQ(Field("UNAmount"), 8);
  EXPECT_EQ(model_.FieldHint("UNAmount"), "Double click to see UN assets");
  EXPECT_EQ(List("TotalAmount").size(), 7u);
}

TEST_F(MasterModelTest, FailureAfterASuccessEmptiesEverything) {
  ASSERT_TRUE(Open(kDeck));
  model_.SelectCostKind("Assets");
  ASSERT_FALSE(Open("4 \tGrunt\r\n", "bad.txt"));
  ASSERT_EQ(host_.messages, Lines{"File '" + dir_.File("bad.txt") + "' is not a valid deck file."});
  EXPECT_EQ(host_.busyDepthAtMessage, 0);  // the normal cursor is back first
  for (const auto& field : MasterFields()) EXPECT_EQ(Field(field.name), 0) << field.name;
  EXPECT_FALSE(model_.ShowZero());
  EXPECT_EQ(model_.DName(), "");
  EXPECT_EQ(model_.HQType(), "");
  EXPECT_EQ(model_.CostBoxItems(), Lines{"All cards"});
  EXPECT_EQ(model_.FieldHint("MilCost"),
            "Total amount of Military resources required to deploy all your cards");
  EXPECT_TRUE(model_.ProblemBox().empty());
  EXPECT_TRUE(model_.CardList().empty());
  EXPECT_FALSE(model_.SaveEnabled());
  EXPECT_EQ(session_.deck.DeckCount, 0);
  EXPECT_FALSE(stats().HQFound);
  EXPECT_TRUE(stats().OverLimitNames.empty());
  EXPECT_FALSE(model_.DrillDown("DName"));
  // A valid deck afterwards analyses normally.
  EXPECT_TRUE(Open(kDeck));
}

TEST_F(MasterModelTest, AMissingDeckFileIsAnInvalidDeck) {
  host_.answer = dir_.File("nowhere.txt");
  model_.OpenDeck(host_, false);
  EXPECT_EQ(host_.messages,
            Lines{"File '" + dir_.File("nowhere.txt") + "' is not a valid deck file."});
  EXPECT_EQ(host_.busyDepth, 0);
}

TEST_F(MasterModelTest, ReloadReadsTheNewFileAndKeepsTheUsersChoices) {
  ASSERT_TRUE(Open(kDeck));
  model_.SetAssetSwitch(true);
  model_.SelectCostKind("Programs");
  ASSERT_EQ(List("AssetAmount").size(), 3u);
  // The deck gains a fourth asset; the reload reads it, so the figures, the
  // cost sums and the reopened list all follow the new file.
  std::string grown(kDeck);
  grown.replace(grown.find("1\tMole"), 1, "2");
  grown.replace(grown.find("2\tPatch"), 1, "4");
  dir_.Write("deck.txt", grown);
  const auto result = model_.Reload(host_, false);
  EXPECT_TRUE(result.analysed);
  EXPECT_TRUE(result.listReopened);
  EXPECT_TRUE(model_.AssetSwitch());
  EXPECT_EQ(model_.CostBoxText(), "Programs");
  EXPECT_EQ(Field("CybCost"), 8);
  EXPECT_EQ(Field("AssetAmount"), 7);
  EXPECT_EQ(model_.ShownList(), "AssetAmount");
  EXPECT_EQ(model_.CardList(), (Lines{"3    Grunt", "2    Sniper", "2    Mole"}));
  EXPECT_EQ(model_.ProposedFileName(), "AssetList.txt");

  // A cost kind the deck has lost falls back to all cards; no shown list,
  // nothing reopened.
  ASSERT_TRUE(Open(kDeck));
  model_.SelectCostKind("Programs");
  dir_.Write("deck.txt", "1\tGolani Special Forces HQ\r\n3\tGrunt\r\n");
  const auto lost = model_.Reload(host_, false);
  EXPECT_TRUE(lost.analysed);
  EXPECT_FALSE(lost.listReopened);
  EXPECT_EQ(model_.CostBoxText(), "All cards");
  EXPECT_EQ(model_.ShownList(), "");
}

TEST_F(MasterModelTest, ReloadOfABrokenDeckSaysSoAndEmptiesTheWindow) {
  ASSERT_TRUE(Open(kDeck));
  ASSERT_TRUE(model_.DrillDown("TotalAmount"));
  dir_.Write("deck.txt", "4 \tGrunt\r\n");
  host_.messages.clear();
  const auto result = model_.Reload(host_, false);
  EXPECT_FALSE(result.analysed);
  EXPECT_FALSE(result.listReopened);
  EXPECT_EQ(host_.messages,
            Lines{"File '" + dir_.File("deck.txt") + "' is not a valid deck file."});
  EXPECT_TRUE(model_.CardList().empty());
  EXPECT_EQ(host_.busyDepth, 0);
}

// The not-found message speaks once per deck file: a re-analysis that finds
// only names already named stays quiet, a new name or another deck speaks.
TEST_F(MasterModelTest, TheNotFoundMessageComesOncePerDeckFile) {
  const std::string odd = std::string(kDeck) + "1\tGrnt\r\n";
  const std::string once = "Error - the following cards could not be found: Grnt";
  ASSERT_TRUE(Open(odd));
  EXPECT_EQ(host_.messages, Lines{once});
  host_.messages.clear();
  EXPECT_TRUE(model_.Reload(host_, false).analysed);
  EXPECT_TRUE(Open(odd));  // the same file opened again
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(model_.MissingCards(), Lines{"Grnt"});

  dir_.Write("deck.txt", odd + "1\tSnpr\r\n");
  host_.messages.clear();
  model_.Reload(host_, false);
  EXPECT_EQ(host_.messages, Lines{"Error - the following cards could not be found: Grnt, Snpr"});

  // Some names fixed, then brought back: nothing the user was not told.
  ASSERT_TRUE(Open(kDeck));
  ASSERT_TRUE(Open(odd));
  EXPECT_TRUE(host_.messages.empty());

  ASSERT_TRUE(Open(odd, "other.txt"));
  EXPECT_EQ(host_.messages, Lines{once});
  ASSERT_TRUE(Open(odd));
  EXPECT_EQ(host_.messages, Lines{once});
}

// The user's choices outlive any number of broken saves in a row, but not
// the opening of another deck.
TEST_F(MasterModelTest, ChoicesSurviveABrokenStretchOfReloads) {
  ASSERT_TRUE(Open(kDeck));
  model_.SetAssetSwitch(true);
  model_.SelectCostKind("Programs");
  ASSERT_TRUE(model_.DrillDown("AssetAmount"));
  for (const char* broken : {"4 \tGrunt\r\n", "garbage\x01\r\n"}) {
    dir_.Write("deck.txt", broken);
    EXPECT_FALSE(model_.Reload(host_, false).analysed);
  }
  dir_.Write("deck.txt", kDeck);
  const auto mended = model_.Reload(host_, false);
  EXPECT_TRUE(mended.analysed);
  EXPECT_TRUE(mended.listReopened);
  EXPECT_TRUE(model_.AssetSwitch());
  EXPECT_EQ(model_.CostBoxText(), "Programs");
  EXPECT_EQ(model_.ShownList(), "AssetAmount");

  dir_.Write("deck.txt", "4 \tGrunt\r\n");
  EXPECT_FALSE(model_.Reload(host_, false).analysed);
  ASSERT_FALSE(Open("4 \tGrunt\r\n", "other.txt"));
  dir_.Write("other.txt", kDeck);
  const auto fresh = model_.Reload(host_, false);
  EXPECT_FALSE(fresh.listReopened);
  EXPECT_EQ(model_.CostBoxText(), "All cards");
}

TEST_F(MasterModelTest, DrillDownListsFollowTheDeckOrder) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(List("HQType"), (Lines{"1    Golani Special Forces HQ", "1    Golani Decoy HQ"}));
  EXPECT_EQ(model_.ProposedFileName(), "HQList.txt");
  EXPECT_EQ(List("TotalAmount").size(), 7u);  // no HQ lines
  EXPECT_EQ(List("UncommonAmount"), Lines{"2    Fort"});
  // The Unique list shows every Unique card, the count only Unique assets.
  EXPECT_EQ(List("UniqueAmount"), Lines{"1    Lone Wolf"});
  EXPECT_EQ(Field("UniqueAmount"), 0);
  // Both assets of Stealth 4, each with its own line count.
  EXPECT_EQ(List("HighStealth"), (Lines{"3    Grunt", "2    Sniper"}));
  EXPECT_EQ(model_.ProposedFileName(), "HighStealthList.txt");
  EXPECT_EQ(List("HighFP"), Lines{"2    Sniper"});
  // Every producing HQ line and the contract, though only the first HQ counts.
  EXPECT_EQ(List("TotalMilAmount"), (Lines{"1    Golani Special Forces HQ", "2    Fort",
                                           "1    Golani Decoy HQ", "1    Arms Export Contract"}));
  EXPECT_EQ(List("InnerCircleAmount"), (Lines{"1    Mole", "2    Patch"}));
  EXPECT_EQ(model_.ProposedFileName(), "Inner CircleList.txt");
  EXPECT_EQ(List("DName").size(), 9u);
  EXPECT_EQ(model_.ProposedFileName(), "CardList.txt");
}

TEST_F(MasterModelTest, DomainListsFollowTheAssetSwitch) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(List("UNAmount").front(), "1    Golani Special Forces HQ");
  model_.SetAssetSwitch(true);
  EXPECT_EQ(List("UNAmount"), Lines{"3    Grunt"});
}

TEST_F(MasterModelTest, CostListsFollowTheCostBox) {
  ASSERT_TRUE(Open(kDeck));
  EXPECT_EQ(List("MilCost"), (Lines{"3    Grunt", "2    Sniper", "1    Mole"}));
  EXPECT_EQ(List("CybCost"), Lines{"2    Patch"});
  EXPECT_EQ(model_.ProposedFileName(), "CybOpCostList.txt");
  model_.SelectCostKind("Programs");
  EXPECT_TRUE(List("MilCost").empty());
  EXPECT_EQ(model_.ProposedFileName(), "MilCostList.txt");
}

TEST_F(MasterModelTest, AFieldHoldingNoNumberKeepsACardOutOfANumericList) {
  auto odd = Card("Odd Base", 'B');
  odd.DeployMil.Assign("Q");  // never read by the analysis, which skips base costs
  Cards({Asset("Grunt"), odd});
  ASSERT_TRUE(Open("1\tGrunt\r\n1\tOdd Base\r\n"));
  EXPECT_EQ(List("MilCost"), Lines{"1    Grunt"});
}

TEST_F(MasterModelTest, DrillDownSkipsCardsTheRebuiltFileLacks) {
  ASSERT_TRUE(Open(kDeck));
  Cards({Asset("Grunt", "3", "4", "2", "0", 'U')});
  EXPECT_EQ(List("DName"), Lines{"3    Grunt"});
}

TEST_F(MasterModelTest, EveryTableListBuildsWithoutError) {
  ASSERT_TRUE(Open(kDeck));
  for (const auto& list : DrillDownLists()) {
    EXPECT_TRUE(model_.DrillDown(list.component)) << list.component;
    EXPECT_EQ(model_.ProposedFileName(), list.listName);
  }
}

TEST_F(MasterModelTest, SelectingALineShowsItsOpeningHandChance) {
  std::string deck = "3\tGrunt\r\n1\tGolani Special Forces HQ\r\n";
  Cards({Asset("Grunt"), Card("Cell", 'B'), Card("Golani Special Forces HQ", 'H')});
  ASSERT_TRUE(Open(deck + "37\tCell\r\n"));
  model_.CardListClick(0);
  EXPECT_EQ(Field("SelectCard"), 50);
  model_.CardListClick(1);
  EXPECT_EQ(Field("SelectCard"), 100);
  model_.CardListClick(7);  // no such line
  EXPECT_EQ(Field("SelectCard"), 100);
  // A card the rebuilt file lacks is taken as a plain card.
  Cards({Card("Cell", 'B')});
  model_.CardListClick(1);
  EXPECT_EQ(Field("SelectCard"), 20);
}

TEST_F(MasterModelTest, ReaderAndCopyTakeTheNamePart) {
  session_.SelectedCardName = "Kept";
  model_.CardListDblClick(0);  // an empty list keeps the name
  EXPECT_EQ(session_.SelectedCardName, "Kept");
  EXPECT_EQ(model_.CopyText(0), "");
  ASSERT_TRUE(Open("12\tGrunt\r\n"));
  model_.CardListDblClick(0);
  EXPECT_EQ(session_.SelectedCardName, "Grunt");
  model_.CardListDblClick(std::nullopt);
  EXPECT_EQ(session_.SelectedCardName, "");
  EXPECT_EQ(model_.CardList()[0], "12   Grunt");
  EXPECT_EQ(model_.CopyText(0), "Grunt");
  EXPECT_EQ(model_.CopyText(std::nullopt), "");
}

TEST_F(MasterModelTest, SavedListIsADeckFile) {
  ASSERT_TRUE(Open(kDeck));
  const std::string path = dir_.File("saved.txt");
  model_.SaveList(path);
  EXPECT_EQ(test::TempDir::Read(path), std::string(kDeck));
  ASSERT_TRUE(model_.DrillDown("HighStealth"));
  model_.SaveList(path);
  EXPECT_EQ(test::TempDir::Read(path), "3\tGrunt\r\n2\tSniper\r\n");
}

TEST_F(MasterModelTest, SavedListKeepsLongCountsApartFromTheName) {
  ASSERT_TRUE(Open("123456\tGrunt\r\n-12345\tSniper\r\n"));
  EXPECT_EQ(model_.CardList()[0], "123456Grunt");
  model_.SaveList(dir_.File("long.txt"));
  EXPECT_EQ(test::TempDir::Read(dir_.File("long.txt")), "123456\tGrunt\r\n-12345\tSniper\r\n");
  model_.CardListDblClick(0);
  EXPECT_EQ(session_.SelectedCardName, "Grunt");
}

TEST_F(MasterModelTest, FailedSaveLeavesTheTargetAsItWas) {
  ASSERT_TRUE(Open(kDeck));
  const std::string target = dir_.File("taken");
  ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
  dir_.Write("taken/inside.txt", "kept");
  EXPECT_THROW(model_.SaveList(target), IoError);
  EXPECT_EQ(test::TempDir::Read(target + "/inside.txt"), "kept");
  EXPECT_THROW(model_.SaveList(dir_.File("no/such/folder.txt")), IoError);
  // No temporary file is left beside the target.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.path())) ++entries;
  EXPECT_EQ(entries, 3);  // CardStat.Dat, deck.txt, taken
}

TEST_F(MasterModelTest, SettingsRememberTheFolderOfTheLastGoodDeck) {
  dir_.Write("ZNUTILS.INI", "[Other]\r\nX=1\r\n");
  host_.answer = dir_.Write("deck.txt", kDeck);
  model_.OpenDeck(host_, true);
  EXPECT_EQ(host_.initialDirectories.back(), "");
  EXPECT_EQ(ReadDeckDirectory(dir_.path()), dir_.path());
  EXPECT_EQ(test::TempDir::Read(dir_.File("ZNUTILS.INI")),
            "[Other]\r\nX=1\r\n[DIRECTORIES]\r\nDeck Directory=" + dir_.path() + "\r\n");
  // A failed analysis writes nothing.
  std::filesystem::create_directory(dir_.File("sub"));
  host_.answer = dir_.Write("sub/bad.txt", "x\tGrunt\r\n");
  model_.OpenDeck(host_, true);
  EXPECT_EQ(host_.initialDirectories.back(), dir_.path());
  EXPECT_EQ(ReadDeckDirectory(dir_.path()), dir_.path());
}

TEST_F(MasterModelTest, ADeckFailingAfterItsReadingLeavesTheFolderAlone) {
  Cards({Asset("Big", "5"), Asset("Small", "0")});
  host_.answer = dir_.Write("deck.txt", "1\tBig\r\n");
  model_.OpenDeck(host_, true);
  ASSERT_EQ(ReadDeckDirectory(dir_.path()), dir_.path());
  // Read without fault, but a positive Firepower sum over no attackers fails
  // its average.
  std::filesystem::create_directory(dir_.File("sub"));
  host_.answer = dir_.Write("sub/negative.txt", "1\tBig\r\n-1\tSmall\r\n");
  model_.OpenDeck(host_, true);
  ASSERT_TRUE(session_.deck.DeckFileName.empty());
  EXPECT_EQ(ReadDeckDirectory(dir_.path()), dir_.path());
}

TEST_F(MasterModelTest, AnUnwritableSettingsFileDoesNotFailTheAnalysis) {
  ASSERT_EQ(::mkdir(dir_.File("ZNUTILS.INI").c_str(), 0700), 0);
  host_.answer = dir_.Write("deck.txt", kDeck);
  model_.OpenDeck(host_, true);
  EXPECT_FALSE(session_.deck.DeckFileName.empty());
}

}  // namespace
}  // namespace quillet
