// The path helpers keep the house convention that a folder ends with '/' or
// is "" for the current one, so `dir + name` is always a path.
#include "core/card_data/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "core/card_data/io_error.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using test::TempDir;

TEST(PathsTest, TheFolderOfAPathKeepsItsSlash) {
  EXPECT_EQ(DirectoryPart("/usr/share/quillet/cards.txt"), "/usr/share/quillet/");
  EXPECT_EQ(DirectoryPart("decks/un.txt"), "decks/");
  EXPECT_EQ(DirectoryPart("/cards.txt"), "/");
  EXPECT_EQ(DirectoryPart("cards.txt"), "");
  EXPECT_EQ(DirectoryPart("decks/"), "decks/");
  EXPECT_EQ(OpenableDir(""), ".");
  EXPECT_EQ(OpenableDir("decks/"), "decks/");
  const std::string program = ProgramDir();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program.back(), '/');
}

TEST(PathsTest, OnlyRegularFilesExistAndRemovingNothingIsNoError) {
  TempDir dir;
  const std::string file = dir.Write("deck.txt", "1\tCole\r\n");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.path()));  // a folder is not a file
  RemoveFile(file);
  EXPECT_FALSE(FileExists(file));
  RemoveFile(file);
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0700), 0);
  EXPECT_THROW(RemoveFile(dir.File("sub")), IoError);
}

TEST(PathsTest, MakesEveryMissingFolderForItsOwnerOnly) {
  TempDir dir;
  const std::string deep = dir.File("a/b//c/");
  MakeDirectories(deep);
  MakeDirectories(deep);  // already there
  struct stat st {};
  ASSERT_EQ(::stat(dir.File("a/b/c").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  ASSERT_EQ(::stat(dir.File("a").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0077, 0u);  // whatever the umask allows
  dir.Write("plain", "x");
  EXPECT_THROW(MakeDirectories(dir.File("plain")), IoError);
  EXPECT_THROW(MakeDirectories(dir.File("plain/below")), IoError);
}

}  // namespace
}  // namespace quillet
