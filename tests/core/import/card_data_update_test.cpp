#include "core/import/card_data_update.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "card_list_line.h"
#include "core/card_data/data_journal.h"
#include "core/card_data/io_error.h"
#include "core/card_data/temp_files.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

using test::CardListLine;
using test::TempDir;
namespace fs = std::filesystem;

std::string SampleList() {
  std::string list;
  CardListLine first;
  first.name = "Aegis Trooper";
  first.text = "Guards a base.";
  CardListLine second = test::BaseLine("Bunker Nine", "Military 1/-1 ");
  second.text = "";
  CardListLine third;
  third.name = "Harness Bull";
  third.firepower = "6";
  third.text = "Charges.";
  return first.Str() + second.Str() + third.Str();
}

// A card list that breaks down after `bytes` bytes.
class FailingSource final : public ByteSource {
 public:
  FailingSource(std::string_view bytes, std::size_t failAfter) : bytes_(bytes), left_(failAfter) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    if (left_ == 0) throw IoError(106);
    const std::size_t n = std::min({size, left_, bytes_.size() - pos_});
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    left_ -= n;
    return n;
  }

 private:
  std::string_view bytes_;
  std::size_t left_;
  std::size_t pos_ = 0;
};

class UpdateTest : public ::testing::Test {
 protected:
  void WriteOldFiles() {
    dir_.Write("CardStat.Dat", kOldStat);
    dir_.Write("CardText.Dat", kOldText);
  }
  void ExpectOldFiles() const {
    EXPECT_EQ(TempDir::Read(db_.CardStatPath()), kOldStat);
    EXPECT_EQ(TempDir::Read(db_.CardTextPath()), kOldText);
    ExpectNoStrayFiles();
  }
  // Only the data files and the card list may be left in the folder.
  void ExpectNoStrayFiles() const {
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "CardStat.Dat" || name == "CardText.Dat" || name == "cards.txt") << name;
    }
  }
  template <typename F>
  static std::string ErrorOf(F&& action) {
    try {
      action();
    } catch (const std::exception& e) {
      return e.what();
    }
    return "no error";
  }

  const std::string kOldStat = std::string(2 * kRecordSize, 'S');
  const std::string kOldText = "old texts";
  TempDir dir_;
  CardDatabase db_{dir_.path()};
};

TEST_F(UpdateTest, WritesRecordsAndTextsAndLeavesTheLastCardCurrent) {
  WriteOldFiles();
  const std::string list = dir_.Write("cards.txt", SampleList());
  UpdateCardData(db_, list, {});

  const auto expected = test::ImportList(SampleList());
  EXPECT_EQ(TempDir::Read(db_.CardStatPath()), expected.recordBytes);
  EXPECT_EQ(TempDir::Read(db_.CardTextPath()), "Guards a base.Charges.");
  EXPECT_EQ(db_.CurrentCard.Name.View(), "Harness Bull");
  EXPECT_EQ(db_.CurrentCard.Firepower.View(), "1");
  EXPECT_EQ(db_.CurrentCard.TextStart, 15);
  ExpectNoStrayFiles();
  // The database reads the new files at once.
  EXPECT_EQ(db_.RecordCount(), 3);
  ASSERT_TRUE(db_.LookupCard("Bunker Nine"));
  EXPECT_EQ(db_.CurrentCard.ProdMil, '1');
}

TEST_F(UpdateTest, WithoutTextsRemovesCardTextButKeepsThePositions) {
  WriteOldFiles();
  const std::string list = dir_.Write("cards.txt", SampleList());
  UpdateOptions options;
  options.CardTextCheck = false;
  UpdateCardData(db_, list, options);
  EXPECT_FALSE(db_.CardTextExists());
  EXPECT_EQ(TempDir::Read(db_.CardStatPath()), test::ImportList(SampleList()).recordBytes);
  // And with no CardText.Dat to remove, the update still succeeds.
  UpdateCardData(db_, list, options);
  EXPECT_TRUE(db_.CardStatExists());
}

// The wrong file chosen as the card list must not cost the user the cards
// they have: a list without cards, bytes that are not text at all, or text
// without a single card line.
TEST_F(UpdateTest, AListWithoutCardsOrWithANulByteIsRefusedAndKeepsTheOldFiles) {
  WriteOldFiles();
  const std::string kNoCardLine = "is not a card list: no line holds the 16 fields of a card.";
  const std::string nul = SampleList() + std::string("Bad\0card\n", 10);
  const struct {
    std::string bytes, message;
  } cases[] = {
      {"", "holds no cards."},
      {nul, "is not a card list: line 4 holds a NUL byte."},
      {std::string(1, '\0'), "is not a card list: line 1 holds a NUL byte."},
      // A deck list, a README: each line yields a "card", none has a card's
      // fields. A NUL byte is said first, and no card at all before this.
      {"4 Bion Acolyte\n2 Air Strike\n", kNoCardLine},
      {"# Notes\tand\ttabs\n\nSee the manual.\r\n", kNoCardLine},
      {std::string(14, '\t') + "\n" + std::string(14, '\t') + "x\n", kNoCardLine},
      {"4 Bion Acolyte\n" + std::string("x\0", 2), "is not a card list: line 2 holds a NUL byte."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string list = dir_.Write("cards.txt", c.bytes);
    try {
      UpdateCardData(db_, list, {});
      ADD_FAILURE() << "not refused";
    } catch (const CardListRefused& e) {
      EXPECT_EQ(e.what(), "'" + list + "' " + c.message);
    }
    ExpectOldFiles();
  }
}

TEST_F(UpdateTest, NoListChosenChangesNothing) {
  WriteOldFiles();
  UpdateCardData(db_, "", {});
  ExpectOldFiles();
}

TEST_F(UpdateTest, AMissingListFailsAndKeepsTheOldFiles) {
  WriteOldFiles();
  EXPECT_EQ(ErrorOf([&] { UpdateCardData(db_, dir_.File("nowhere.txt"), {}); }), "File not found");
  ExpectOldFiles();
}

TEST_F(UpdateTest, AListThatCannotBeReadFailsAndKeepsTheOldFiles) {
  WriteOldFiles();
  // A folder opens but cannot be read, like a card list on a failing disk.
  std::filesystem::create_directory(dir_.File("cards.txt"));
  EXPECT_EQ(ErrorOf([&] { UpdateCardData(db_, dir_.File("cards.txt"), {}); }),
            "File access denied");
  ExpectOldFiles();
}

TEST_F(UpdateTest, AReadFailureHalfWayKeepsTheOldFilesWithAndWithoutTexts) {
  const std::string list = SampleList();
  for (const bool texts : {true, false}) {
    for (const std::size_t failAfter : {std::size_t{0}, std::size_t{1}, list.size() / 2}) {
      WriteOldFiles();
      FailingSource source(list, failAfter);
      UpdateOptions options;
      options.CardTextCheck = texts;
      EXPECT_EQ(ErrorOf([&] { UpdateCardData(db_, source, options); }), "I/O error 106");
      ExpectOldFiles();
    }
  }
}

TEST_F(UpdateTest, AFolderThatCannotTakeTheNewFilesFails) {
  // A missing folder is created, but not below a file.
  dir_.Write("plain", "a file");
  CardDatabase elsewhere(dir_.File("plain/missing/"));
  EXPECT_EQ(ErrorOf([&] { UpdateCardData(elsewhere, dir_.Write("cards.txt", SampleList()), {}); }),
            "Path not found");
}

TEST_F(UpdateTest, AReadOnlyListCanBeImported) {
  const std::string list = dir_.Write("cards.txt", SampleList());
  ASSERT_EQ(::chmod(list.c_str(), 0444), 0);
  UpdateCardData(db_, list, {});
  EXPECT_EQ(db_.RecordCount(), 3);
}

TEST_F(UpdateTest, AReadOnlyCardStatIsRefused) {
  const std::string list = dir_.Write("cards.txt", SampleList());
  WriteOldFiles();
  ASSERT_EQ(::chmod(db_.CardStatPath().c_str(), 0444), 0);
  test::RunUnprivileged(dir_.path(), [&] {
    EXPECT_EQ(ErrorOf([&] { UpdateCardData(db_, list, {}); }), "File access denied");
  });
  ExpectOldFiles();
}

TEST_F(UpdateTest, AReadOnlyCardTextIsRefusedWithAndWithoutTexts) {
  const std::string list = dir_.Write("cards.txt", SampleList());
  for (const bool texts : {true, false}) {
    WriteOldFiles();
    ASSERT_EQ(::chmod(db_.CardTextPath().c_str(), 0444), 0);
    UpdateOptions options;
    options.CardTextCheck = texts;
    test::RunUnprivileged(dir_.path(), [&] {
      EXPECT_EQ(ErrorOf([&] { UpdateCardData(db_, list, options); }), "File access denied");
    });
    ExpectOldFiles();
    ASSERT_EQ(::chmod(db_.CardTextPath().c_str(), 0644), 0);
  }
}

TEST_F(UpdateTest, OneCardLineAmongOthersIsEnough) {
  const std::string list = dir_.Write("cards.txt", CardListLine{}.Str() + "4 Bion Acolyte\r\n");
  UpdateCardData(db_, list, {});
  EXPECT_TRUE(db_.LookupCard(CardListLine{}.name));
}

// A refused data file is named, not its folder: the user is to fix that file.
TEST_F(UpdateTest, ARefusedDataFileIsNamed) {
  const std::string list = dir_.Write("cards.txt", SampleList());
  WriteOldFiles();
  fs::remove(db_.CardTextPath());
  ASSERT_EQ(::symlink(dir_.File("gone").c_str(), db_.CardTextPath().c_str()), 0);
  try {
    UpdateCardData(db_, list, {});
    ADD_FAILURE() << "a dangling CardText.Dat link was not refused";
  } catch (const DataFileRefused& e) {
    EXPECT_EQ(e.path(), db_.CardTextPath());
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_EQ(TempDir::Read(db_.CardStatPath()), kOldStat);
}

// An update stopped after its journal (or anything else at the journal's
// name) is dealt with by the next update inside its own lock, never waited
// for.
TEST_F(UpdateTest, AJournalLeftInTheFolderIsDealtWithNotWaitedFor) {
  const std::string list = dir_.Write("cards.txt", SampleList());
  for (const bool ours : {true, false}) {
    WriteOldFiles();
    const std::string temp = TempFileName("CardText.Dat");
    dir_.Write(temp, "stopped texts");
    if (ours) {
      WriteJournal(dir_.path(), {{temp, "CardText.Dat"}});
    } else {
      dir_.Write(std::string(kJournalFileName), "not a journal\n");
    }
    UpdateCardData(db_, list, {});
    EXPECT_EQ(TempDir::Read(db_.CardTextPath()), "Guards a base.Charges.");
    EXPECT_FALSE(fs::exists(dir_.File(std::string(kJournalFileName))));
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(std::string(kJournalFileName) + ".foreign-")) fs::remove(entry.path());
    }
    ExpectNoStrayFiles();
  }
}

}  // namespace
}  // namespace quillet
