// The pair of data files changes together: the journal reads back exactly
// what was written and nothing else, an update stopped after any of its
// steps is finished by the next opener of the folder (wherever the folder
// has moved), a journal never reaches outside its folder, a journal that is
// not ours is moved aside without being waited on, and a reader that cannot
// finish one reads nothing.
#include "core/card_data/data_journal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "core/card_data/card_database.h"
#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/temp_files.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::string kStatTemp = TempFileName("CardStat.Dat");
const std::string kTextTemp = TempFileName("CardText.Dat");
const std::string kJournal(kJournalFileName);

TEST(DataJournalTest, ReadsBackWhatItWritesAndRefusesEverythingElse) {
  const std::vector<JournalStep> steps = {{kStatTemp, "CardStat.Dat"}, {"", "CardText.Dat"}};
  const std::string text = JournalText(steps);
  EXPECT_EQ(text, "quillet data update 1\nrename\t" + kStatTemp +
                      "\tCardStat.Dat\nremove\tCardText.Dat\n");
  EXPECT_EQ(ParseJournal(text), steps);
  EXPECT_EQ(ParseJournal("quillet data update 1\n"), std::vector<JournalStep>{});

  const std::string h = "quillet data update 1\n";
  const std::string refused[] = {
      "",
      "quillet data update 1",  // cut short
      "quillet data update 2\n",
      "quillet data update 1\r\nremove\tCardText.Dat\r\n",
      h + "remove\tdeck.txt\n",  // not a data file
      h + "remove\t/d/CardStat.Dat\n",
      h + "remove\t../b/CardStat.Dat\n",
      h + "remove\t./CardStat.Dat\n",
      h + "rename\tx\tCardStat.Dat\n",                  // not its temporary
      h + "rename\t" + kTextTemp + "\tCardStat.Dat\n",  // another file's temporary
      h + "rename\t/d/" + kStatTemp + "\tCardStat.Dat\n",
      h + "rename\t" + kStatTemp + "\t/d/CardStat.Dat\n",
      h + "rename\t" + kStatTemp.substr(0, kStatTemp.size() - 1) + "/\tCardStat.Dat\n",
      h + "remove\tCardStat.Dat\nremove\tCardStat.Dat\n",  // twice
      h + "remove\tCardStat.Dat\textra\n",
      h + "\n",
  };
  for (const std::string& bytes : refused) EXPECT_FALSE(ParseJournal(bytes)) << bytes;
  EXPECT_THROW(JournalText({{"", "deck.txt"}}), IoError);
  EXPECT_THROW(JournalText({{"", "/d/CardStat.Dat"}}), IoError);
}

// A folder with old data files, new ones under their temporary names and
// the journal of their update, stopped after `doneSteps` of: 0 journal
// written, 1 CardStat.Dat renamed, 2 CardText.Dat renamed, 3 journal removed.
void StopUpdate(const TempDir& dir, int doneSteps) {
  dir.Write("CardStat.Dat", "old stats");
  dir.Write("CardText.Dat", "old texts");
  dir.Write(kStatTemp, "new stats");
  dir.Write(kTextTemp, "new texts");
  if (doneSteps >= 0) {
    WriteJournal(dir.path(), {{kStatTemp, "CardStat.Dat"}, {kTextTemp, "CardText.Dat"}});
  }
  if (doneSteps >= 1) fs::rename(dir.File(kStatTemp), dir.File("CardStat.Dat"));
  if (doneSteps >= 2) fs::rename(dir.File(kTextTemp), dir.File("CardText.Dat"));
  if (doneSteps >= 3) RemoveFile(dir.File(kJournal));
}

void ExpectPair(const std::string& dir, bool committed) {
  EXPECT_EQ(TempDir::Read(dir + "CardStat.Dat"), committed ? "new stats" : "old stats");
  EXPECT_EQ(TempDir::Read(dir + "CardText.Dat"), committed ? "new texts" : "old texts");
  if (committed) {
    EXPECT_EQ(TempDir::Names(dir), (std::set<std::string>{"CardStat.Dat", "CardText.Dat"}));
  }
}

class StoppedUpdate : public ::testing::TestWithParam<int> {};

// Stopped after any step, the next CardDatabase sees the new pair and a
// clean folder; stopped before the journal, the old pair.
TEST_P(StoppedUpdate, IsFinishedByTheNextOpener) {
  TempDir dir;
  StopUpdate(dir, GetParam());
  const CardDatabase db(dir.path());
  ExpectPair(dir.path(), GetParam() >= 0);
}

// The journal's steps apply where the journal now is: a folder moved or
// copied with its journal is finished there, and the old place (if any) is
// not touched.
TEST_P(StoppedUpdate, IsFinishedWhereTheFolderWasMovedOrCopied) {
  for (const bool copy : {false, true}) {
    TempDir root;
    const std::string from = root.File("from/");
    const std::string to = root.File("to/");
    fs::create_directory(from);
    TempDir dir;
    StopUpdate(dir, GetParam());
    fs::copy(dir.path(), from);
    if (copy) {
      fs::copy(from, to);
    } else {
      fs::rename(from, to);
    }
    const CardDatabase db(to);
    ExpectPair(to, GetParam() >= 0);
    if (copy) {
      // The original is left for its own next opener.
      EXPECT_EQ(fs::exists(from + kJournal), GetParam() >= 0 && GetParam() < 3);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, StoppedUpdate, ::testing::Range(-1, 4));

// A data file that is a link into another folder keeps being the link: its
// new file was written beside the link's target, and the step renames it
// there.
TEST(DataJournalTest, ADataFileThatIsALinkIsReplacedWhereTheLinkPoints) {
  TempDir dir;
  TempDir other;
  dir.Write("CardStat.Dat", "old stats");
  dir.Write(kStatTemp, "new stats");
  other.Write("texts", "old texts");
  other.Write(kTextTemp, "new texts");
  ASSERT_EQ(::symlink(other.File("texts").c_str(), dir.File("CardText.Dat").c_str()), 0);
  WriteJournal(dir.path(), {{kStatTemp, "CardStat.Dat"}, {kTextTemp, "CardText.Dat"}});
  const CardDatabase db(dir.path());
  EXPECT_TRUE(fs::is_symlink(dir.File("CardText.Dat")));
  EXPECT_EQ(TempDir::Read(dir.File("CardText.Dat")), "new texts");
  EXPECT_EQ(TempDir::Read(dir.File("CardStat.Dat")), "new stats");
  EXPECT_EQ(TempDir::Names(other.path()), std::set<std::string>{"texts"});
}

// Whatever the journal of folder A names, folder B stays as it was.
TEST(DataJournalTest, AJournalNeverReachesAnotherFolder) {
  TempDir a;
  TempDir b;
  b.Write("CardStat.Dat", "b stats");
  b.Write(kStatTemp, "new stats");
  a.Write("CardStat.Dat", "a stats");
  const std::string h = "quillet data update 1\n";
  const std::string rel = "../" + fs::path(b.path()).parent_path().filename().string() + "/";
  for (const std::string& journal :
       {h + "remove\t" + b.File("CardStat.Dat") + "\n", h + "remove\t" + rel + "CardStat.Dat\n",
        h + "rename\t" + b.File(kStatTemp) + "\tCardStat.Dat\n",
        h + "rename\t" + kStatTemp + "\t" + rel + "CardStat.Dat\n"}) {
    a.Write(kJournal, journal);
    const CardDatabase db(a.path());
    EXPECT_EQ(TempDir::Read(b.File("CardStat.Dat")), "b stats") << journal;
    EXPECT_TRUE(fs::exists(b.File(kStatTemp)));
    EXPECT_EQ(TempDir::Read(a.File("CardStat.Dat")), "a stats");
    for (const auto& name : TempDir::Names(a.path())) fs::remove(a.File(name));
    a.Write("CardStat.Dat", "a stats");
  }
}

TEST(DataJournalTest, AFailedRenameKeepsTheJournalAndTheFolderUnreadUntilItSucceeds) {
  TempDir dir;
  dir.Write("CardStat.Dat", "old stats");
  // A folder in the way makes the second rename fail.
  ASSERT_EQ(::mkdir(dir.File("CardText.Dat").c_str(), 0755), 0);
  dir.Write("CardText.Dat/keep", "");
  dir.Write(kStatTemp, "new stats");
  dir.Write(kTextTemp, "new texts");
  const std::vector<JournalStep> steps = {{kStatTemp, "CardStat.Dat"}, {kTextTemp, "CardText.Dat"}};
  WriteJournal(dir.path(), steps);
  EXPECT_THROW(ApplyJournal(dir.path(), steps), IoError);
  EXPECT_TRUE(fs::exists(dir.File(kJournal)));
  EXPECT_EQ(FinishDataUpdate(dir.path()), JournalOutcome::kPending);  // still in the way
  EXPECT_TRUE(fs::exists(dir.File(kJournal)));
  EXPECT_THROW(CardDatabase{dir.path()}, DataHalfUpdated);

  fs::remove_all(dir.File("CardText.Dat"));
  CardDatabase db(dir.path());
  EXPECT_EQ(TempDir::Read(db.CardStatPath()), "new stats");
  EXPECT_EQ(TempDir::Read(db.CardTextPath()), "new texts");
  EXPECT_FALSE(fs::exists(dir.File(kJournal)));
}

// A reader that may not change the folder cannot finish the update, and
// reads neither the mixed pair nor anything else of it.
TEST(DataJournalTest, AReaderThatCannotFinishTheUpdateRefusesTheFolder) {
  TempDir dir;
  StopUpdate(dir, 1);  // CardStat.Dat new, CardText.Dat old
  test::RunUnprivileged(dir.path(), [&] {
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    try {
      CardDatabase db(dir.path());
      ADD_FAILURE() << "the half-updated folder was opened";
    } catch (const DataHalfUpdated& e) {
      EXPECT_EQ(std::string(e.what()),
                "The card data in " + dir.path().substr(0, dir.path().size() - 1) +
                    " is half updated; open it once with write access to finish the update.");
    }
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  });
  const CardDatabase db(dir.path());
  ExpectPair(dir.path(), true);
}

// Anything at the journal's name that is not a journal of ours is moved
// aside, without a read that could block, and said once; the data files
// stay as they are.
TEST(DataJournalTest, AForeignJournalIsMovedAsideAndSaidOnce) {
  const std::string h = "quillet data update 1\n";
  const struct {
    const char* what;
    std::function<void(const TempDir&)> make;
  } cases[] = {
      {"garbage", [](const TempDir& d) { d.Write(kJournal, "\x01\xff garbage\n"); }},
      {"CR LF", [&](const TempDir& d) { d.Write(kJournal, "quillet data update 1\r\n"); }},
      {"over 4 KB", [&](const TempDir& d) { d.Write(kJournal, h + std::string(5000, '\n')); }},
      {"a FIFO", [](const TempDir& d) { ASSERT_EQ(::mkfifo(d.File(kJournal).c_str(), 0644), 0); }},
      {"a folder", [](const TempDir& d) { ASSERT_EQ(::mkdir(d.File(kJournal).c_str(), 0755), 0); }},
      {"a link to /dev/zero",
       [](const TempDir& d) { ASSERT_EQ(::symlink("/dev/zero", d.File(kJournal).c_str()), 0); }},
      {"a non-data file", [&](const TempDir& d) { d.Write(kJournal, h + "remove\tdeck.txt\n"); }},
      {"a '/' in a name",
       [&](const TempDir& d) { d.Write(kJournal, h + "remove\tx/CardStat.Dat\n"); }},
  };
  std::vector<std::string> said;
  const JournalNotice previous =
      SetJournalNotice([&said](const std::string& message) { said.push_back(message); });
  for (const auto& c : cases) {
    said.clear();
    TempDir dir;
    dir.Write("CardStat.Dat", "stats");
    c.make(dir);
    { const CardDatabase db(dir.path()); }
    { const CardDatabase db(dir.path()); }
    std::set<std::string> names = TempDir::Names(dir.path());
    ASSERT_EQ(names.size(), 2u) << c.what;
    names.erase("CardStat.Dat");
    const std::string aside = *names.begin();
    EXPECT_TRUE(aside.starts_with(kJournal + ".foreign-")) << c.what << ": " << aside;
    EXPECT_EQ(TempDir::Read(dir.File("CardStat.Dat")), "stats") << c.what;
    ASSERT_EQ(said.size(), 1u) << c.what;
    EXPECT_NE(said[0].find(dir.File(kJournal) + "'"), std::string::npos) << said[0];
    EXPECT_NE(said[0].find(dir.File(aside)), std::string::npos) << said[0];
  }
  SetJournalNotice(previous);
}

TEST(DataJournalTest, AForeignJournalMovedAsideTwiceGetsTwoNames) {
  TempDir dir;
  for (int i = 0; i < 3; ++i) {
    dir.Write(kJournal, "not ours\n");
    EXPECT_EQ(FinishDataUpdate(dir.path()), JournalOutcome::kNone);
  }
  EXPECT_EQ(TempDir::Names(dir.path()).size(), 3u);
}

}  // namespace
}  // namespace quillet
