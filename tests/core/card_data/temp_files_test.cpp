// Our writers' temporary files: their names tell which file they are for and
// can be told from every name a person would choose, and only the dead
// ones of the file being written are ever removed.
#include "core/card_data/temp_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

#include "core/card_data/safe_file.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using test::TempDir;

// Only an unheld regular file of our own temporary form for the file being
// written is removed; the player's files that merely look like temporaries
// (backups, dated copies, earlier versions' forms), another file's
// temporaries, a live writer's and a folder of that name all stay.
TEST(TempFilesTest, OnlyOurOwnDeadTemporariesOfTheFileGo) {
  TempDir dir;
  const std::string path = dir.Write("deck.txt", "old");
  const std::string killed = TempFileName("deck.txt");
  const std::string live = TempFileName("deck.txt");
  const std::string folder = TempFileName("deck.txt");
  const std::set<std::string> kept = {"deck.txt",
                                      "deck.txt.backup",
                                      "deck.txt.old123",
                                      "deck.txt.2024v1",
                                      "deck.txt.partial-Ab3dE9",
                                      killed.substr(0, killed.size() - 1),
                                      live,
                                      folder,
                                      TempFileName("other.txt"),
                                      killed + "x"};
  for (const std::string& name : kept) {
    if (name != "deck.txt" && name != folder) dir.Write(name, "mine");
  }
  dir.Write(killed, "killed writer");
  ASSERT_EQ(::mkdir(dir.File(folder).c_str(), 0700), 0);
  const int held = ::open(dir.File(live).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  WriteWholeFile(path, "new");
  EXPECT_EQ(TempDir::Names(dir.path()), kept);
  EXPECT_EQ(TempDir::Read(path), "new");
  ::close(held);
}

TEST(TempFilesTest, TemporaryNamesHaveOneLengthAndTellTheirFile) {
  for (const std::string& target :
       {std::string("d"), std::string("CardStat.Dat"), std::string(255, 'n')}) {
    const std::string name = TempFileName(target);
    EXPECT_EQ(name.size(), kTempNameSize);
    EXPECT_TRUE(IsTempFileNameOf(name, target)) << name;
    EXPECT_FALSE(IsTempFileNameOf(name, target + "x")) << name;
    EXPECT_NE(name, TempFileName(target));
  }
  // A deck whose name is as long as a file name may be is still written.
  TempDir dir;
  const std::string path = dir.Write(std::string(255, 'n'), "old");
  WriteWholeFile(path, "new");
  EXPECT_EQ(TempDir::Read(path), "new");
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{std::string(255, 'n')}));
}

TEST(TempFilesTest, NamesOfAnotherFormAreNotOurs) {
  const std::string name = TempFileName("deck.txt");
  ASSERT_TRUE(IsTempFileNameOf(name, "deck.txt"));
  std::string other = name;
  other[0] = '_';  // not our prefix
  EXPECT_FALSE(IsTempFileNameOf(other, "deck.txt"));
  other = name;
  other[kTempPrefix.size() + 8] = '_';  // no dash after the tag
  EXPECT_FALSE(IsTempFileNameOf(other, "deck.txt"));
  other = name;
  other.back() = '.';  // a random part of letters and digits only
  EXPECT_FALSE(IsTempFileNameOf(other, "deck.txt"));
  EXPECT_FALSE(IsTempFileNameOf(name.substr(0, kTempNameSize - 1), "deck.txt"));
  EXPECT_FALSE(IsTempFileNameOf("", ""));
}

TEST(TempFilesTest, CleaningAFolderThatIsNotThereIsNoError) {
  TempDir dir;
  RemoveStaleTemps(dir.File("gone/"), "deck.txt");
  const std::string stale = TempFileName("deck.txt");
  dir.Write(stale, "killed writer");
  dir.Write("deck.txt", "mine");
  RemoveStaleTemps(dir.path(), "deck.txt");
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{"deck.txt"}));
}

}  // namespace
}  // namespace quillet
