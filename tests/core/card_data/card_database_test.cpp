#include "core/card_data/card_database.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "core/card_data/io_error.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

using test::MakeCard;
using test::RecordsBytes;

// Runs every lookup test twice: scanning the file, and through a batch index,
// which must answer exactly as the scan does.
class LookupTest : public ::testing::TestWithParam<bool> {
 protected:
  void Write(const std::vector<TCardRecord>& cards) {
    dir_.Write("CardStat.Dat", RecordsBytes(cards));
    if (GetParam()) batch_ = std::make_unique<LookupBatch>(db_);
  }
  void TearDown() override { batch_.reset(); }

  test::TempDir dir_;
  CardDatabase db_{dir_.path()};
  std::unique_ptr<LookupBatch> batch_;
};

std::vector<TCardRecord> Sorted() {
  return {MakeCard("Alpha Base"), MakeCard("bion HQ"), MakeCard("Cobra"), MakeCard("Delta"),
          MakeCard("echo")};
}

TEST_P(LookupTest, FindsByExactNameAndMovesTheCacheOn) {
  Write(Sorted());
  ASSERT_TRUE(db_.LookupCard("Cobra"));
  EXPECT_EQ(db_.CurrentCard.Name.View(), "Cobra");
  EXPECT_EQ(db_.LastFoundName, "Cobra");
  EXPECT_EQ(db_.LastFoundPos, 3);
  ASSERT_TRUE(db_.LookupCard("echo"));
  EXPECT_EQ(db_.LastFoundPos, 5);
  // A name sorting before the last one found starts again at record 0.
  ASSERT_TRUE(db_.LookupCard("Alpha Base"));
  EXPECT_EQ(db_.LastFoundPos, 1);
}

TEST_P(LookupTest, SameNameTwiceIsFoundBothTimes) {
  Write(Sorted());
  EXPECT_TRUE(db_.LookupCard("Delta"));
  EXPECT_TRUE(db_.LookupCard("Delta"));
  EXPECT_EQ(db_.CurrentCard.Name.View(), "Delta");
}

TEST_P(LookupTest, NamesMatchExactlyCaseAndBlanksIncluded) {
  Write(Sorted());
  EXPECT_FALSE(db_.LookupCard("cobra"));
  EXPECT_FALSE(db_.LookupCard("Cobra "));
  EXPECT_FALSE(db_.LookupCard("Cobr"));
  EXPECT_EQ(db_.LastFoundName, "");
  // A failed scan from record 0 leaves the last record in CurrentCard.
  EXPECT_EQ(db_.CurrentCard.Name.View(), "echo");
}

TEST_P(LookupTest, ANameStoredCutIsFoundOnlyByItsCutForm) {
  const std::string longName = "Commander of the Ninth Orbital Relay";
  Write({MakeCard("Alpha"), MakeCard(longName)});
  EXPECT_FALSE(db_.LookupCard(longName));
  EXPECT_TRUE(db_.LookupCard(longName.substr(0, 33)));
}

TEST_P(LookupTest, ANameAfterTheLastCardFailsQuietly) {
  Write(Sorted());
  ASSERT_TRUE(db_.LookupCard("echo"));
  EXPECT_FALSE(db_.LookupCard("zulu"));
  EXPECT_EQ(db_.CurrentCard.Name.View(), "echo");
}

TEST_P(LookupTest, ACardBeforeTheCachedStartIsStillFoundInAnUnsortedFile) {
  // "Zeta" stands before "Mike" although it sorts after it.
  Write({MakeCard("Zeta"), MakeCard("Alpha"), MakeCard("Mike"), MakeCard("Beta")});
  ASSERT_TRUE(db_.LookupCard("Mike"));
  EXPECT_EQ(db_.LastFoundPos, 3);
  ASSERT_TRUE(db_.LookupCard("Zeta"));
  EXPECT_EQ(db_.CurrentCard.Name.View(), "Zeta");
  EXPECT_EQ(db_.LastFoundPos, 1);
}

TEST_P(LookupTest, TheFirstMatchFromTheStartWinsOverEarlierDuplicates) {
  Write({MakeCard("Echo", 'A'), MakeCard("Bravo"), MakeCard("Echo", 'P'), MakeCard("Foxtrot")});
  ASSERT_TRUE(db_.LookupCard("Bravo"));
  ASSERT_TRUE(db_.LookupCard("Echo"));
  EXPECT_EQ(db_.CurrentCard.CardType, 'P');  // from record 2, not record 0
  ASSERT_TRUE(db_.LookupCard("Alpha") == false);
  ASSERT_TRUE(db_.LookupCard("Echo"));
  EXPECT_EQ(db_.CurrentCard.CardType, 'A');  // start 0 again
}

TEST_P(LookupTest, AFailedWrappedScanLeavesTheRecordBeforeTheStart) {
  Write({MakeCard("Alpha"), MakeCard("Bravo"), MakeCard("Charlie"), MakeCard("Delta")});
  ASSERT_TRUE(db_.LookupCard("Bravo"));  // start 2 from now on for later names
  EXPECT_FALSE(db_.LookupCard("Candle"));
  EXPECT_EQ(db_.CurrentCard.Name.View(), "Bravo");
  EXPECT_EQ(db_.CurrentCardIndex, 2);
}

TEST_P(LookupTest, AStartPastTheEndScansEverything) {
  Write({MakeCard("Alpha"), MakeCard("Bravo"), MakeCard("Charlie")});
  ASSERT_TRUE(db_.LookupCard("Charlie"));
  EXPECT_EQ(db_.LastFoundPos, 3);
  batch_.reset();
  // The file shrinks under the cache, as after an update.
  Write({MakeCard("Delta"), MakeCard("Echo")});
  EXPECT_TRUE(db_.LookupCard("Echo"));
  EXPECT_EQ(db_.LastFoundPos, 2);
  EXPECT_FALSE(db_.LookupCard("Zulu"));
  EXPECT_EQ(db_.CurrentCard.Name.View(), "Echo");
}

TEST_P(LookupTest, AnEmptyFileIsReadBeyondItsEnd) {
  Write({});
  try {
    db_.LookupCard("Alpha");
    FAIL() << "expected an I/O error";
  } catch (const IoError& e) {
    EXPECT_STREQ(e.what(), "Read beyond end of file");
  }
}

INSTANTIATE_TEST_SUITE_P(ScanAndIndex, LookupTest, ::testing::Bool());

TEST(CardDatabase, AMissingFileIsNotFound) {
  test::TempDir dir;
  CardDatabase db(dir.path());
  EXPECT_FALSE(db.CardStatExists());
  try {
    db.LookupCard("Alpha");
    FAIL();
  } catch (const IoError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
}

TEST(CardDatabase, AnIncompleteLastRecordIsIgnored) {
  test::TempDir dir;
  dir.Write("CardStat.Dat", RecordsBytes({MakeCard("Only")}) + "x");
  CardDatabase db(dir.path());
  EXPECT_EQ(db.RecordCount(), 1);
  db.ReadRecord(0);
  EXPECT_EQ(db.CurrentCard.Name.View(), "Only");
  EXPECT_THROW(db.ReadRecord(1), IoError);
  EXPECT_THROW(db.ReadRecord(-1), IoError);
}

TEST(CardDatabase, AReadOnlyDatabaseIsReadable) {
  test::TempDir dir;
  const auto stat = dir.Write("CardStat.Dat", RecordsBytes({MakeCard("Alpha")}));
  const auto text = dir.Write("CardText.Dat", "abc");
  ::chmod(stat.c_str(), 0444);
  ::chmod(text.c_str(), 0444);
  test::RunUnprivileged(dir.path(), [&] {
    CardDatabase db(dir.path());
    EXPECT_TRUE(db.LookupCard("Alpha"));
    db.OpenCardText();
    db.CurrentCard.TextStart = 1;
    db.CurrentCard.TextEnd = 3;
    EXPECT_EQ(db.ReadCardTextOf(), "abc");
  });
}

class CardTextTest : public ::testing::Test {
 protected:
  std::string Text(std::int32_t start, std::int32_t end) {
    db_.CurrentCard.TextStart = start;
    db_.CurrentCard.TextEnd = end;
    return db_.ReadCardTextOf();
  }
  test::TempDir dir_;
  CardDatabase db_{dir_.path()};
};

TEST_F(CardTextTest, ReadsTheInclusiveRange) {
  dir_.Write("CardText.Dat", "abcdefghij");
  db_.OpenCardText();
  EXPECT_EQ(Text(5, 5), "e");
  EXPECT_EQ(Text(1, 3), "abc");
  EXPECT_EQ(Text(0, 0), "");
  EXPECT_EQ(Text(-4, 3), "");
}

TEST_F(CardTextTest, StopsAtTheEndOfTheFile) {
  dir_.Write("CardText.Dat", "abcdefghij");
  db_.OpenCardText();
  EXPECT_EQ(Text(8, 40), "hij");
  EXPECT_EQ(Text(11, 12), "");
  EXPECT_EQ(Text(9, 2), "ij");  // an end before the start never stops the read
  EXPECT_EQ(Text(2147483647, 2147483647), "");
}

TEST(SortOrder, ComparesLowerCasedBytesWithPrefixesFirst) {
  EXPECT_TRUE(SortsAfterIgnoringCase("bion", "Alpha"));
  EXPECT_FALSE(SortsAfterIgnoringCase("Alpha", "alpha"));
  EXPECT_TRUE(SortsAfterIgnoringCase("alphas", "Alpha"));
  EXPECT_FALSE(SortsAfterIgnoringCase("", ""));
  EXPECT_TRUE(SortsAfterIgnoringCase("a", ""));
  EXPECT_TRUE(SortsAfterIgnoringCase("\xE9", "z"));  // bytes compare unsigned
}

}  // namespace
}  // namespace quillet
