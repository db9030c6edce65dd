#include "core/import/card_list_importer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "card_list_line.h"
#include "core/card_data/card_words.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"

namespace quillet {
namespace {

using test::BaseLine;
using test::CardListLine;
using test::ImportList;
using test::ImportOne;

// --- Cost fields: three parts separated by "/", the last ended by the TAB.

struct DeployCase {
  std::string field;
  std::string mil, cov, cyb;
};

class DeployCostTest : public ::testing::TestWithParam<DeployCase> {};

TEST_P(DeployCostTest, PartsAreTrimmedAsTheyGrowAndCutToTwo) {
  CardListLine line;
  line.deployOrResources = GetParam().field;
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.DeployMil.View(), GetParam().mil);
  EXPECT_EQ(card.DeployCov.View(), GetParam().cov);
  EXPECT_EQ(card.DeployCyb.View(), GetParam().cyb);
  // The fields after it are read from their own places.
  EXPECT_EQ(card.AttackMil, '1');
  EXPECT_EQ(card.SearchCov, '1');
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DeployCostTest,
    ::testing::Values(DeployCase{"1/0/2", "1", "0", "2"},
                      // A part ending in blanks keeps one blank at its end.
                      DeployCase{" 1 /0/10", "1 ", "0", "10"}, DeployCase{"", " ", " ", " "},
                      DeployCase{"1//2", "1", " ", "2"}, DeployCase{"//", " ", " ", " "},
                      DeployCase{"1 2/ 3 4 /5   6", "12", "34", "56"},
                      DeployCase{"123/4567/89012", "12", "45", "89"},
                      DeployCase{"  /\x01/ \x7f", " ", "\x01", "\x7f"},
                      DeployCase{"9/8/7/6", "9", "8", "7/"}, DeployCase{"X//", "X", " ", " "},
                      // High bytes are not blanks.
                      DeployCase{"\xe9/\xa0\xa0/0", "\xe9", "\xa0\xa0", "0"}));

struct AttackCase {
  std::string field;
  char mil, cov, cyb;
};

class AttackCostTest : public ::testing::TestWithParam<AttackCase> {};

TEST_P(AttackCostTest, EachCostIsTheFirstCharacterOfItsPart) {
  CardListLine line;
  line.attack = GetParam().field;
  line.move = GetParam().field;
  line.search = GetParam().field;
  const TCardRecord card = ImportOne(line);
  for (const auto& [mil, cov, cyb] : {std::tuple{card.AttackMil, card.AttackCov, card.AttackCyb},
                                      std::tuple{card.MoveMil, card.MoveCov, card.MoveCyb},
                                      std::tuple{card.SearchMil, card.SearchCov, card.SearchCyb}}) {
    EXPECT_EQ(mil, GetParam().mil);
    EXPECT_EQ(cov, GetParam().cov);
    EXPECT_EQ(cyb, GetParam().cyb);
  }
}

INSTANTIATE_TEST_SUITE_P(Fields, AttackCostTest,
                         ::testing::Values(AttackCase{"1/2/3", '1', '2', '3'},
                                           AttackCase{"", ' ', ' ', ' '},
                                           AttackCase{"10/ 2/3 ", '1', '2', '3'},
                                           AttackCase{"/ /", ' ', ' ', ' '},
                                           AttackCase{"X/Y/", 'X', 'Y', ' '}));

TEST(CostFieldTest, ATabInsideTheFirstTwoPartsIsNoSeparator) {
  // "5" then TAB: the first part reads on through the TAB into the attack
  // field up to its "/", and the fields after it shift by one.
  CardListLine line;
  line.deployOrResources = "5";
  line.attack = "1/2/3";
  line.move = "4/5/6";
  line.search = "7/8/9";
  line.keywords = "0/0/0";
  line.unused = "UN-Alpha";
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.DeployMil.View(), "51");
  EXPECT_EQ(card.DeployCov.View(), "2");
  EXPECT_EQ(card.DeployCyb.View(), "3");
  EXPECT_EQ(card.AttackMil, '4');
  EXPECT_EQ(card.SearchCyb, '0');
  EXPECT_EQ(card.Domain, 'U');
  EXPECT_EQ(card.Keywords, Mask(Keyword::Alpha));
}

TEST(CostFieldTest, TheThirdPartEndsAtTheTabAndKeepsATrailingBlank) {
  CardListLine line;
  line.deployOrResources = "1/2/3 ";
  EXPECT_EQ(ImportOne(line).DeployCyb.View(), "3 ");
  line.deployOrResources = "1/2\t3/4";  // the TAB belongs to the second part
  line.attack = "";
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.DeployCov.View(), "23");
  EXPECT_EQ(card.DeployCyb.View(), "4");
  EXPECT_EQ(card.AttackMil, ' ');  // the empty attack field
}

// The importer keeps only what a part can still show; the part it stores must
// be the first two bytes of the text trimmed before every byte appended.
TEST(CostFieldTest, PartsMatchTrimmingBeforeEveryByteExhaustively) {
  const std::string alphabet("12 \t\0", 5);
  auto reference = [](const std::string& bytes) {
    std::string part = " ";
    for (const char c : bytes) part = std::string(Trim(part)) + c;
    return part.substr(0, 2);
  };
  std::vector<std::string> texts = {""};
  for (std::size_t begin = 0, length = 1; length <= 5; ++length) {
    const std::size_t end = texts.size();
    for (std::size_t i = begin; i < end; ++i) {
      for (const char c : alphabet) texts.push_back(texts[i] + c);
    }
    begin = end;
  }
  for (const std::string& text : texts) {
    if (text.empty() || text[0] == '\t') continue;  // an empty field: tested above
    CardListLine line;
    line.deployOrResources = text + "/0/0";
    const TCardRecord card = ImportOne(line);
    ASSERT_EQ(card.DeployMil.View(), reference(text)) << ::testing::PrintToString(text);
    if (text.find('\t') == std::string::npos) {
      line.deployOrResources = "0/0/" + text;
      ASSERT_EQ(ImportOne(line).DeployCyb.View(), reference(text))
          << ::testing::PrintToString(text);
    }
  }
}

// --- Keyword field: words separated by one or two dashes.

struct KeywordCase {
  std::string field;
  char domain;
  std::uint32_t keywords;
  std::uint32_t specials;
};

class KeywordFieldTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(KeywordFieldTest, SetsDomainKeywordsAndFlags) {
  CardListLine line;
  line.keywords = GetParam().field;
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.Domain, GetParam().domain);
  EXPECT_EQ(card.Keywords, GetParam().keywords);
  EXPECT_EQ(card.Specials, GetParam().specials);
}

constexpr std::uint32_t Flag(int bit) {
  return std::uint32_t{1} << bit;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KeywordFieldTest,
    ::testing::Values(KeywordCase{"UN-Unique--Veteran-$Bion", 'U',
                                  Mask(Keyword::Unique) | Mask(Keyword::Veteran), Flag(3)},
                      KeywordCase{"unique", ' ', 0, 0}, KeywordCase{"", ' ', 0, 0},
                      KeywordCase{"$Programuser", ' ', 0, Flag(9)},
                      KeywordCase{"$ProgramUser", ' ', 0, 0},
                      KeywordCase{"Inner Circle-Mech.", 'I', Mask(Keyword::Mech), 0},
                      KeywordCase{"Mech", ' ', 0, 0},
                      // The last domain word wins.
                      KeywordCase{"Corporate-Pilot-FUS", 'F', Mask(Keyword::Pilot), 0},
                      // A third dash starts the next word.
                      KeywordCase{"Alpha---Ice", ' ', Mask(Keyword::Alpha), 0},
                      KeywordCase{"Yakusa-", ' ', Mask(Keyword::Yakusa), 0},
                      KeywordCase{"Ice -Gear", ' ', Mask(Keyword::Gear), 0},
                      KeywordCase{"Transcendent--$WarMachine-$AdjOppHand", 'T', 0,
                                  Flag(16) | Flag(0)},
                      KeywordCase{std::string(200, 'W') + "-Worm", ' ', Mask(Keyword::Worm), 0},
                      KeywordCase{"AntiTerrorismX-Nonames", 'N', 0, 0}));

// --- Resource production field of bases and HQs.

struct ResourceCase {
  std::string field;
  char prodMil;
  std::string turnsMil;
  char prodCov;
  std::string turnsCov;
  char prodCyb;
  std::string turnsCyb;
};

class ResourceFieldTest : public ::testing::TestWithParam<ResourceCase> {};

TEST_P(ResourceFieldTest, EntriesFillTheirResource) {
  const TCardRecord card = ImportOne(BaseLine("Quarry", GetParam().field));
  EXPECT_EQ(card.ProdMil, GetParam().prodMil);
  EXPECT_EQ(card.TurnsMil.View(), GetParam().turnsMil);
  EXPECT_EQ(card.ProdCov, GetParam().prodCov);
  EXPECT_EQ(card.TurnsCov.View(), GetParam().turnsCov);
  EXPECT_EQ(card.ProdCyb, GetParam().prodCyb);
  EXPECT_EQ(card.TurnsCyb.View(), GetParam().turnsCyb);
  // Bases pay no deploy cost, and the fields after it stand where they were.
  EXPECT_EQ(card.DeployMil.View(), " ");
  EXPECT_EQ(card.DeployCyb.View(), " ");
  EXPECT_EQ(card.AttackMil, '1');
  EXPECT_EQ(card.Domain, 'U');
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ResourceFieldTest,
    ::testing::Values(ResourceCase{"Military 2/-1 ", '2', "**", ' ', " ", ' ', " "},
                      ResourceCase{"Military 2/-1 Covert 1/3 ", '2', "**", '1', "3", ' ', " "},
                      ResourceCase{"CyberOps 3/12 ", ' ', " ", ' ', " ", '3', "12"},
                      ResourceCase{"", ' ', " ", ' ', " ", ' ', " "},
                      // Of several amount bytes the last counts; turns are cut to 2.
                      ResourceCase{"Military 12/100 ", '2', "10", ' ', " ", ' ', " "},
                      ResourceCase{"Military 4/-12 ", '4', "-1", ' ', " ", ' ', " "},
                      ResourceCase{"Military 4/ ", '4', "", ' ', " ", ' ', " "},
                      // Unknown words are read and skipped.
                      ResourceCase{"Gold 5/5 Covert 2/2 ", ' ', " ", '2', "2", ' ', " "},
                      ResourceCase{"military 1/1 ", ' ', " ", ' ', " ", ' ', " "},
                      ResourceCase{"Covert 1/1 Covert 3/-1 ", ' ', " ", '3', "**", ' ', " "}));

TEST(ResourceEntryTest, ATabInsideAnEntryReadsOnIntoTheNextFields) {
  // No blank after the last turns: the TAB is taken inside the entry, so the
  // field goes on over the attack field and ends only at the TAB of the
  // empty move field; the search field then becomes the attack cost.
  CardListLine line = BaseLine("Quarry", "Military 2/-1");
  line.attack = "1/2/3";
  line.move = "";
  line.search = "4/5/6";
  line.keywords = "7/8/9";
  line.unused = "UN";
  line.text = "";
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.ProdMil, '2');
  EXPECT_EQ(card.TurnsMil.View(), "**");
  EXPECT_EQ(card.AttackMil, '4');
  EXPECT_EQ(card.MoveCyb, '9');
  EXPECT_EQ(card.SearchMil, 'U');  // reads on over the text to the end
}

TEST(ResourceEntryTest, AWordEndedByATabTakesTheNextFieldAsItsProduction) {
  CardListLine line = BaseLine("Quarry", "Military");
  line.attack = "3/5 rest";
  line.move = "";
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.ProdMil, '3');
  EXPECT_EQ(card.TurnsMil.View(), "5");
  // "rest" is read as a word; its TAB ends it, then the empty move field's
  // TAB ends the resource field.
  EXPECT_EQ(card.AttackMil, '0');  // the search field "0/1/0"
  EXPECT_EQ(card.AttackCov, '1');
}

// --- Card text: positions counted over all lines, CR and NUL dropped.

TEST(ImportTextTest, TwoLettersAfterTenCharactersAreElevenToTwelve) {
  CardListLine line;
  line.text = "Ab";
  const auto result = ImportList(line.Str(), {}, 10);
  EXPECT_EQ(result.records.at(0).TextStart, 11);
  EXPECT_EQ(result.records.at(0).TextEnd, 12);
  EXPECT_EQ(result.text, "Ab");
  EXPECT_EQ(result.textCharCount, 12);
}

TEST(ImportTextTest, OneCharacterCountsAsNoTextButIsStillWrittenAndCounted) {
  CardListLine one;
  one.text = "Z";
  CardListLine two;
  two.text = "xyz";
  const auto result = ImportList(one.Str() + two.Str());
  EXPECT_EQ(result.records[0].TextStart, 0);
  EXPECT_EQ(result.records[0].TextEnd, 0);
  EXPECT_EQ(result.records[1].TextStart, 2);
  EXPECT_EQ(result.records[1].TextEnd, 4);
  EXPECT_EQ(result.text, "Zxyz");
}

TEST(ImportTextTest, EmptyTextHasNoPositions) {
  CardListLine line;
  line.text = "";
  const auto result = ImportList(line.Str() + line.Str());
  EXPECT_EQ(result.records[1].TextStart, 0);
  EXPECT_EQ(result.records[1].TextEnd, 0);
  EXPECT_EQ(result.text, "");
}

TEST(ImportTextTest, CrAndNulAreDroppedTabsAndHighBytesKept) {
  CardListLine line;
  line.text = std::string("a\rb\0c\td\x93\r", 9);
  const auto result = ImportList(line.Str());
  EXPECT_EQ(result.text, "abc\td\x93");
  EXPECT_EQ(result.records[0].TextStart, 1);
  EXPECT_EQ(result.records[0].TextEnd, 6);
}

TEST(ImportTextTest, PositionsAreTheSameWithoutText) {
  std::string list;
  for (const char* text : {"First card's text.", "", "Q", "Last one."}) {
    CardListLine line;
    line.text = text;
    list += line.Str();
  }
  UpdateOptions noText;
  noText.CardTextCheck = false;
  const auto with = ImportList(list);
  const auto without = ImportList(list, noText);
  EXPECT_EQ(with.recordBytes, without.recordBytes);
  EXPECT_EQ(without.text, "");
  EXPECT_EQ(with.text.size(), 28u);
  EXPECT_EQ(without.textCharCount, 28);
}

TEST(ImportTextTest, LongTextsArriveWhole) {
  CardListLine line;
  line.text = std::string(10000, 'a') + std::string(5000, 'b');
  const auto result = ImportList(line.Str() + line.Str());
  EXPECT_EQ(result.text, line.text + line.text);
  EXPECT_EQ(result.records[1].TextStart, 15001);
  EXPECT_EQ(result.records[1].TextEnd, 30000);
}

TEST(ImportTextTest, PositionsBeyondThirtyTwoBitsFailAsDiskFull) {
  CardListLine line;
  line.text = "ab";
  const std::int32_t max = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(ImportList(line.Str(), {}, max - 2).records.at(0).TextEnd, max);
  try {
    ImportList(line.Str(), {}, max - 1);
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_STREQ(e.what(), "Disk full");
  }
  line.text = "";
  EXPECT_EQ(ImportList(line.Str(), {}, max).records.at(0).TextStart, 0);
}

// --- Whole lines.

TEST(ImportLineTest, FieldsAreCutToTheirRecordFields) {
  CardListLine line;
  line.name = std::string(33, 'N') + "more";
  line.edition = "Edition Twelve";
  line.hp = "123";
  line.firepower = "45 ";
  line.armor = "";
  line.stealth = "12";
  line.perception = "";
  line.cyberAffinity = "7";
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.Name.View(), std::string(33, 'N'));
  EXPECT_EQ(card.Edition.View(), "Edition Twe");
  EXPECT_EQ(card.Rarity, 'C');
  EXPECT_EQ(card.CardType, 'A');
  EXPECT_EQ(card.HP.View(), "12");
  EXPECT_EQ(card.Firepower.View(), "45");
  EXPECT_EQ(card.Armor.View(), "");
  EXPECT_EQ(card.Stealth.View(), "1");
  EXPECT_EQ(card.Perception.View(), " ");
  EXPECT_EQ(card.CyberAffinity.View(), "7");
  // Not a base: no production, empty turns.
  EXPECT_EQ(card.ProdMil, ' ');
  EXPECT_EQ(card.ProdCyb, ' ');
  EXPECT_EQ(card.TurnsMil.View(), "");
  EXPECT_EQ(card.TurnsCyb.View(), "");
  EXPECT_EQ(card.Domain, 'U');
  EXPECT_EQ(card.Keywords, Mask(Keyword::Pilot));
}

TEST(ImportLineTest, NamesWithHQAreHQsWithAResourceField) {
  CardListLine line;
  line.name = "Orbital HQ Relay";
  line.type = "Asset";
  line.deployOrResources = "Military 2/-1 ";
  const TCardRecord card = ImportOne(line);
  EXPECT_EQ(card.CardType, 'H');
  EXPECT_EQ(card.ProdMil, '2');
  EXPECT_EQ(card.TurnsMil.View(), "**");
  EXPECT_EQ(card.DeployMil.View(), " ");

  line.name = "Orbital Hq Relay";  // case-sensitive
  line.deployOrResources = "1/0/0";
  EXPECT_EQ(ImportOne(line).CardType, 'A');
  line.name = std::string(32, 'x') + "HQ";  // the stored name is cut before the test
  EXPECT_EQ(ImportOne(line).CardType, 'A');
}

TEST(ImportLineTest, EmptyRarityAndTypeKeepTheValuesBefore) {
  CardListLine first;
  first.rarity = "Rare";
  first.type = "Program";
  CardListLine second;
  second.rarity = "";
  second.type = "";
  const auto result = ImportList(first.Str() + second.Str());
  EXPECT_EQ(result.records[1].Rarity, 'R');
  EXPECT_EQ(result.records[1].CardType, 'P');
  // ... and so does the very first line, from the working card.
  TCardRecord start;
  start.Rarity = 'V';
  start.CardType = 'B';
  const auto fromStart = ImportList(second.Str(), {}, 0, start);
  EXPECT_EQ(fromStart.records[0].Rarity, 'V');
  EXPECT_EQ(fromStart.records[0].CardType, 'B');
}

TEST(ImportLineTest, OneRecordPerLineInOrder) {
  std::string list;
  for (const char* name : {"Alpha Unit", "Bravo Unit", "Charlie Unit"}) {
    CardListLine line;
    line.name = name;
    list += line.Str();
  }
  const auto result = ImportList(list);
  ASSERT_EQ(result.records.size(), 3u);
  EXPECT_EQ(result.recordBytes.size(), 3 * kRecordSize);
  EXPECT_EQ(result.records[2].Name.View(), "Charlie Unit");
}

TEST(ImportLineTest, AnEmptyListGivesNothing) {
  const auto result = ImportList("");
  EXPECT_TRUE(result.recordBytes.empty());
  EXPECT_TRUE(result.text.empty());
}

TEST(ImportLineTest, BytesAfterTheLastLfGiveOneMoreRecord) {
  CardListLine line;
  line.rarity = "Uncommon";
  const auto result = ImportList(line.Str() + "\r\n");
  ASSERT_EQ(result.records.size(), 2u);
  const TCardRecord& extra = result.records[1];
  EXPECT_EQ(extra.Name.View(), "\r\n");
  EXPECT_EQ(extra.Edition.View(), "");
  EXPECT_EQ(extra.Rarity, 'U');  // unchanged
  EXPECT_EQ(extra.CardType, 'A');
  EXPECT_EQ(extra.DeployMil.View(), " ");
  EXPECT_EQ(extra.AttackMil, ' ');
  EXPECT_EQ(extra.Stealth.View(), " ");
  EXPECT_EQ(extra.Domain, ' ');
  EXPECT_EQ(extra.TextStart, 0);
}

// --- The end of the list: every byte belongs to what it falls in.

TEST(EndOfListTest, ALastLineWithoutLfKeepsItsWholeText) {
  CardListLine line;
  line.text = "Deals 2 damage.";
  line.end = "";
  const auto result = ImportList(line.Str());
  EXPECT_EQ(result.text, "Deals 2 damage.");
  EXPECT_EQ(result.records[0].TextEnd, 15);
}

TEST(EndOfListTest, AOneByteFieldEndingTheListKeepsItsByte) {
  EXPECT_EQ(ImportList("Solo\tX").records.at(0).Edition.View(), "X");
  EXPECT_EQ(ImportList("Solo\tEd\tR").records.at(0).Rarity, 'R');
  const std::string head = "S\tE\tR\tP\t1\t2\t3\t4\t5\t6\t";
  EXPECT_EQ(ImportList(head + "7").records.at(0).DeployMil.View(), "7");
  EXPECT_EQ(ImportList(head + "7/8/9").records.at(0).DeployCyb.View(), "9");
  const std::string costs = head + "1/1/1\t2/2/2\t3/3/3\t4/4/4\t";
  EXPECT_EQ(ImportList(costs + "U").records.at(0).Keywords, 0u);
  const auto ending = ImportList(costs + "UN").records.at(0);
  EXPECT_EQ(ending.Domain, 'U');
  EXPECT_EQ(ending.SearchMil, '4');
  EXPECT_EQ(ImportList(costs + "Pilot-Ice").records.at(0).Keywords,
            Mask(Keyword::Pilot) | Mask(Keyword::Ice));
  EXPECT_EQ(ImportList(costs + "UN\tq\tT").text, "T");
  EXPECT_EQ(ImportList(costs + "UN\tq\tT").records.at(0).TextStart, 0);
}

TEST(EndOfListTest, ProductionEndingTheListKeepsItsBytes) {
  const std::string head = "Mine\tE\tC\tBase\t\t\t\t\t\t\t";
  auto base = [&](const std::string& resources) {
    return ImportList(head + resources).records.at(0);
  };
  EXPECT_EQ(base("Military 2/-1").TurnsMil.View(), "**");
  EXPECT_EQ(base("Military 2").ProdMil, '2');
  EXPECT_EQ(base("Military 2").TurnsMil.View(), "");
  EXPECT_EQ(base("Military").ProdMil, ' ');
  EXPECT_EQ(base("Covert 3/4").TurnsCov.View(), "4");
}

TEST(EndOfListTest, ALineCutShortKeepsTheWorkingCardsOtherValues) {
  CardListLine line;
  line.type = "Program";
  const auto result = ImportList(line.Str() + "Half\tEd");
  const TCardRecord& last = result.records.at(1);
  EXPECT_EQ(last.Name.View(), "Half");
  EXPECT_EQ(last.Edition.View(), "Ed");
  EXPECT_EQ(last.CardType, 'P');
  EXPECT_EQ(last.HP.View(), "");
  EXPECT_EQ(last.Stealth.View(), " ");
  EXPECT_EQ(last.TurnsMil.View(), "");
  EXPECT_EQ(last.Keywords, 0u);
}

// --- Failures of the source or the sinks reach the caller.

class FailingSink final : public ByteSink {
 public:
  using ByteSink::Write;
  void Write(const std::uint8_t*, std::size_t) override { throw IoError(kDiskFull); }
};

TEST(ImportFailureTest, AFailingSinkStopsTheImport) {
  CardListLine line;
  const std::string list = line.Str();
  MemorySource source(list);
  TCardRecord card;
  FailingSink records;
  MemorySink text;
  CardListImporter importer(source, card, records, &text, {});
  EXPECT_THROW(importer.ImportCardList(), IoError);
}

}  // namespace
}  // namespace quillet
