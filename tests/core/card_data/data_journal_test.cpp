// The pair of data files changes together: the journal reads back exactly
// what was written and nothing else, and an update stopped after any of its
// steps is finished by the next opener of the folder.
#include "core/card_data/data_journal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "core/card_data/card_database.h"
#include "core/card_data/file_util.h"
#include "core/card_data/io_error.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using test::TempDir;

TEST(DataJournalTest, ReadsBackWhatItWritesAndRefusesEverythingElse) {
  const std::vector<JournalStep> steps = {
      {"/d/CardStat.Dat.partial-Ab3dE9", "/d/CardStat.Dat"},
      {"", "/other folder/CardText.Dat"},
  };
  const std::string text = JournalText(steps);
  EXPECT_EQ(text,
            "quillet data update 1\nrename\t/d/CardStat.Dat.partial-Ab3dE9\t/d/CardStat.Dat\n"
            "remove\t/other folder/CardText.Dat\n");
  EXPECT_EQ(ParseJournal(text), steps);
  EXPECT_EQ(ParseJournal("quillet data update 1\n"), std::vector<JournalStep>{});

  const char* const refused[] = {
      "",
      "quillet data update 1",  // cut short
      "quillet data update 2\n",
      "quillet data update 1\nremove\t/d/deck.txt\n",            // not a data file
      "quillet data update 1\nremove\td/CardStat.Dat\n",         // relative
      "quillet data update 1\nrename\t/d/x\t/d/CardStat.Dat\n",  // not its temporary
      "quillet data update 1\nrename\t/d/CardText.Dat.partial-Ab3dE9\t/d/CardStat.Dat\n",
      "quillet data update 1\nrename\t/d/CardStat.Dat.partial-Ab3d/9\t/d/CardStat.Dat\n",
      "quillet data update 1\nremove\t/d/CardStat.Dat\nremove\t/d/CardStat.Dat\n",  // twice
      "quillet data update 1\nremove\t/d/CardStat.Dat\textra\n",
      "quillet data update 1\n\n",
  };
  for (const char* bytes : refused) EXPECT_FALSE(ParseJournal(bytes)) << bytes;
  EXPECT_THROW(JournalText({{"", "/d/deck.txt"}}), IoError);
}

class StoppedUpdate : public ::testing::TestWithParam<int> {};

// The update's steps after the new files are complete: 0 journal written,
// 1 CardStat.Dat renamed, 2 CardText.Dat renamed, 3 journal removed. Stopped
// after any of them, the next CardDatabase sees the new pair and a clean
// folder; stopped before the journal, the old pair.
TEST_P(StoppedUpdate, IsFinishedByTheNextOpener) {
  const int doneSteps = GetParam();
  TempDir dir;
  const std::string root = dir.path();
  dir.Write("CardStat.Dat", "old stats");
  dir.Write("CardText.Dat", "old texts");
  const std::string statTemp = dir.Write("CardStat.Dat.partial-Stat01", "new stats");
  const std::string textTemp = dir.Write("CardText.Dat.partial-Text01", "new texts");
  const std::vector<JournalStep> steps = {{statTemp, dir.File("CardStat.Dat")},
                                          {textTemp, dir.File("CardText.Dat")}};
  if (doneSteps >= 0) WriteJournal(root, steps);
  if (doneSteps >= 1) std::filesystem::rename(statTemp, dir.File("CardStat.Dat"));
  if (doneSteps >= 2) std::filesystem::rename(textTemp, dir.File("CardText.Dat"));
  if (doneSteps >= 3) RemoveFile(dir.File(std::string(kJournalFileName)));

  CardDatabase db(root);
  const bool committed = doneSteps >= 0;
  EXPECT_EQ(TempDir::Read(db.CardStatPath()), committed ? "new stats" : "old stats");
  EXPECT_EQ(TempDir::Read(db.CardTextPath()), committed ? "new texts" : "old texts");
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    names.insert(entry.path().filename().string());
  }
  if (committed) {
    EXPECT_EQ(names, (std::set<std::string>{"CardStat.Dat", "CardText.Dat"}));
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, StoppedUpdate, ::testing::Range(-1, 4));

TEST(DataJournalTest, AFailedRenameKeepsTheJournalUntilTheNextAttemptSucceeds) {
  TempDir dir;
  dir.Write("CardStat.Dat", "old stats");
  // A folder in the way makes the second rename fail.
  ASSERT_EQ(::mkdir(dir.File("CardText.Dat").c_str(), 0755), 0);
  dir.Write("CardText.Dat/keep", "");
  const std::string statTemp = dir.Write("CardStat.Dat.partial-Stat01", "new stats");
  const std::string textTemp = dir.Write("CardText.Dat.partial-Text01", "new texts");
  const std::vector<JournalStep> steps = {{statTemp, dir.File("CardStat.Dat")},
                                          {textTemp, dir.File("CardText.Dat")}};
  WriteJournal(dir.path(), steps);
  EXPECT_THROW(ApplyJournal(dir.path(), steps), IoError);
  EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(kJournalFileName))));
  FinishDataUpdate(dir.path());  // still in the way: no throw, journal kept
  EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(kJournalFileName))));

  std::filesystem::remove_all(dir.File("CardText.Dat"));
  CardDatabase db(dir.path());
  EXPECT_EQ(TempDir::Read(db.CardStatPath()), "new stats");
  EXPECT_EQ(TempDir::Read(db.CardTextPath()), "new texts");
  EXPECT_FALSE(std::filesystem::exists(dir.File(std::string(kJournalFileName))));
}

TEST(DataJournalTest, AJournalThatIsNotOursIsLeftAlone) {
  TempDir dir;
  dir.Write("CardStat.Dat", "old stats");
  dir.Write(std::string(kJournalFileName), "rename\t/etc/passwd\t/d/CardStat.Dat\n");
  CardDatabase db(dir.path());
  EXPECT_EQ(TempDir::Read(db.CardStatPath()), "old stats");
  EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(kJournalFileName))));
}

}  // namespace
}  // namespace quillet
