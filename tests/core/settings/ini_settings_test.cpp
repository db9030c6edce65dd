#include "core/settings/ini_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "core/card_data/io_error.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

const std::string kShared =
    "; settings of the utility family\r\n"
    "[Viewer]\r\n"
    "Deck Directory=C:\\elsewhere\\\r\n"
    "\r\n"
    "[ directories ]\r\n"
    "Last Card = Bion HQ\r\n"
    "  deck directory =  /home/p/decks/  \r\n"
    "Window=3\n"
    "\r\n"
    "[Other]\r\n"
    "Key=Value";

TEST(IniValueTest, MatchesNamesWithoutCaseOrBlanks) {
  EXPECT_EQ(IniValue(kShared, "DIRECTORIES", "Deck Directory"), "/home/p/decks/");
  EXPECT_EQ(IniValue(kShared, "viewer", "DECK DIRECTORY"), "C:\\elsewhere\\");
  EXPECT_EQ(IniValue(kShared, "Other", "Key"), "Value");
}

TEST(IniValueTest, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(IniValue("", "DIRECTORIES", "Deck Directory"), "");
  EXPECT_EQ(IniValue(kShared, "Nowhere", "Key"), "");
  EXPECT_EQ(IniValue(kShared, "Other", "Deck Directory"), "");
  EXPECT_EQ(IniValue(";Deck Directory=x\n", "DIRECTORIES", "Deck Directory"), "");
  EXPECT_EQ(IniValue("[DIRECTORIES]\n;Deck Directory=x\n", "DIRECTORIES", "Deck Directory"), "");
}

TEST(IniWithValueTest, ReplacesOnlyTheValueOfTheKeyLine) {
  const std::string updated = IniWithValue(kShared, "DIRECTORIES", "Deck Directory", "/new/");
  std::string expected = kShared;
  const std::string old = "  deck directory =  /home/p/decks/  \r\n";
  expected.replace(expected.find(old), old.size(), "  deck directory =  /new/\r\n");
  EXPECT_EQ(updated, expected);
  EXPECT_EQ(IniValue(updated, "DIRECTORIES", "Deck Directory"), "/new/");
  EXPECT_EQ(IniValue(updated, "Viewer", "Deck Directory"), "C:\\elsewhere\\");
}

TEST(IniWithValueTest, AddsAMissingKeyAfterTheSectionsLastLine) {
  const std::string content = "[DIRECTORIES]\nOther=1\n\n[Next]\nA=2\n";
  EXPECT_EQ(IniWithValue(content, "DIRECTORIES", "Deck Directory", "/d/"),
            "[DIRECTORIES]\nOther=1\nDeck Directory=/d/\r\n\n[Next]\nA=2\n");
  EXPECT_EQ(IniWithValue("[DIRECTORIES]", "DIRECTORIES", "Deck Directory", "/d/"),
            "[DIRECTORIES]\r\nDeck Directory=/d/\r\n");
}

TEST(IniWithValueTest, AddsAMissingSectionAtTheEnd) {
  EXPECT_EQ(IniWithValue("", "DIRECTORIES", "Deck Directory", "/d/"),
            "[DIRECTORIES]\r\nDeck Directory=/d/\r\n");
  EXPECT_EQ(IniWithValue("[A]\r\nB=1", "DIRECTORIES", "Deck Directory", "/d/"),
            "[A]\r\nB=1\r\n[DIRECTORIES]\r\nDeck Directory=/d/\r\n");
  EXPECT_EQ(IniWithValue("[A]\nB=1\n", "DIRECTORIES", "Deck Directory", ""),
            "[A]\nB=1\n[DIRECTORIES]\r\nDeck Directory=\r\n");
}

TEST(IniWithValueTest, RefusesValuesThatWouldNotReadBack) {
  EXPECT_THROW(IniWithValue("", "S", "K", "a\r\nb"), std::invalid_argument);
  EXPECT_THROW(IniWithValue("", "S", "K", " padded"), std::invalid_argument);
}

TEST(IniFileTest, WriteKeepsEveryOtherByteOfASharedFile) {
  test::TempDir dir;
  const std::string path = dir.Write("ZNUTILS.INI", kShared);
  ::chmod(path.c_str(), 0640);
  WriteDeckDirectory(dir.path(), "/srv/decks/");
  EXPECT_EQ(ReadDeckDirectory(dir.path()), "/srv/decks/");
  EXPECT_EQ(test::TempDir::Read(path),
            IniWithValue(kShared, "DIRECTORIES", "Deck Directory", "/srv/decks/"));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file keeps its mode
}

TEST(IniFileTest, MissingFileReadsEmptyAndIsCreatedOnWrite) {
  test::TempDir dir;
  EXPECT_EQ(ReadDeckDirectory(dir.path()), "");
  WriteDeckDirectory(dir.path(), "/d/");
  EXPECT_EQ(test::TempDir::Read(dir.File("ZNUTILS.INI")),
            "[DIRECTORIES]\r\nDeck Directory=/d/\r\n");
}

TEST(IniFileTest, AFolderThatCannotBeWrittenRaisesAndKeepsTheFile) {
  test::TempDir dir;
  dir.Write("ZNUTILS.INI", kShared);
  ::chmod(dir.path().c_str(), 0500);
  test::RunUnprivileged(dir.path(),
                        [&] { EXPECT_THROW(WriteDeckDirectory(dir.path(), "/d/"), IoError); });
  ::chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(test::TempDir::Read(dir.File("ZNUTILS.INI")), kShared);
}

TEST(IniFileTest, AnUnreadableFileIsNeverReplaced) {
  test::TempDir dir;
  const std::string path = dir.File("ZNUTILS.INI");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);  // a name that cannot be read as a file
  EXPECT_EQ(ReadDeckDirectory(dir.path()), "");
  EXPECT_THROW(WriteDeckDirectory(dir.path(), "/d/"), IoError);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

}  // namespace
}  // namespace quillet
