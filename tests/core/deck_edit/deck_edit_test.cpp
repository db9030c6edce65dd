#include "core/deck_edit/deck_edit.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "core/deck_edit/deck_editor.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

struct EditCase {
  const char* label;
  std::string deck;
  std::string name;
  std::int32_t delta;
  std::optional<std::string> after;  // nullopt: refused with `message`
  std::string message;
};

EditCase Edited(const char* label, std::string deck, std::string name, std::int32_t delta,
                std::string after) {
  return EditCase{label, std::move(deck), std::move(name), delta, std::move(after), {}};
}
EditCase Refused(const char* label, std::string deck, std::string name, std::int32_t delta,
                 std::string message) {
  return EditCase{label, std::move(deck), std::move(name), delta, std::nullopt, std::move(message)};
}

class DeckEditBytes : public ::testing::TestWithParam<EditCase> {};

TEST_P(DeckEditBytes, KeepsEveryOtherByte) {
  const EditCase& c = GetParam();
  if (c.after) {
    EXPECT_EQ(EditDeckBytes(c.deck, c.name, c.delta), *c.after);
  } else {
    try {
      EditDeckBytes(c.deck, c.name, c.delta);
      ADD_FAILURE() << "not refused";
    } catch (const DeckEditError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeckEditBytes,
    ::testing::Values(
        Edited("CrLf", "3\tAsh Dray\r\n2\tBrine Hound\r\n", "Brine Hound", 1,
               "3\tAsh Dray\r\n3\tBrine Hound\r\n"),
        Edited("Lf", "3\tAsh Dray\n2\tBrine Hound\n", "Ash Dray", -1,
               "2\tAsh Dray\n2\tBrine Hound\n"),
        Edited("NoFinalEnd", "3\tAsh Dray\r\n2\tBrine Hound", "Brine Hound", 1,
               "3\tAsh Dray\r\n3\tBrine Hound"),
        Edited("LoneCr", "1\tAsh Dray\r1\tBrine Hound\r", "Brine Hound", 2,
               "1\tAsh Dray\r3\tBrine Hound\r"),
        Edited("FirstOfDuplicates", "1\tAsh Dray\n4\tAsh Dray\n", "Ash Dray", 1,
               "2\tAsh Dray\n4\tAsh Dray\n"),
        Edited("PlusSpelling", "+3\tAsh Dray\r\n", "Ash Dray", 1, "4\tAsh Dray\r\n"),
        Edited("HexSpelling", "$A\tAsh Dray\r\n $b\tCole\r\n", "Ash Dray", 1,
               "11\tAsh Dray\r\n $b\tCole\r\n"),
        Edited("NameComparedExactly", "1\tash dray\r\n1\tAsh Dray \r\n", "Ash Dray", 1,
               "1\tash dray\r\n1\tAsh Dray \r\n1\tAsh Dray\r\n"),
        Edited("RemovedWithItsLineEnd", "1\tAsh Dray\r\n2\tCole\n1\tDusk\r\n", "Cole", -2,
               "1\tAsh Dray\r\n1\tDusk\r\n"),
        Edited("RemovedLastWithoutEnd", "1\tAsh Dray\r\n1\tCole", "Cole", -1, "1\tAsh Dray\r\n"),
        Edited("ZeroLineRemoved", "0\tCole\r\n1\tDusk\r\n", "Cole", -1, "1\tDusk\r\n"),
        Edited("AppendCrLf", "1\tAsh Dray\r\n", "Cole", 1, "1\tAsh Dray\r\n1\tCole\r\n"),
        Edited("AppendAfterMissingEnd", "1\tAsh Dray", "Cole", 1, "1\tAsh Dray\r\n1\tCole\r\n"),
        Edited("AppendAfterLf", "1\tAsh Dray\n", "Cole", 2, "1\tAsh Dray\n2\tCole\r\n"),
        Edited("AppendToEmpty", "", "Cole", 1, "1\tCole\r\n"),
        Refused("InvalidDeck", "1\tAsh Dray\r\nfour\tCole\r\n", "Ash Dray", 1,
                "The deck file is not valid, so it was not changed: 'four' is not a valid "
                "integer value."),
        Refused("BlankLineIsInvalid", "1\tAsh Dray\r\n\r\n", "Cole", 1,
                "The deck file is not valid, so it was not changed: '\r\n' is not a valid "
                "integer value."),
        Refused("Negative", "-2\tCole\r\n", "Cole", 1,
                "The line of 'Cole' has a negative count (-2), so the deck was not changed."),
        Refused("NotInDeck", "1\tAsh Dray\r\n", "Cole", -1, "'Cole' is not in the deck."),
        Refused("TooMany", "2147483647\tCole\r\n", "Cole", 1,
                "The deck cannot hold more copies of 'Cole'."),
        Refused("RunOnLastLine", "1\tCole\r\n5", "Dusk", 1,
                "The last line of the deck has no TAB, so no line can follow it.")),
    [](const auto& info) { return std::string(info.param.label); });

class DeckEditorTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string path = dir.Write("deck.txt", "$A\tAsh Dray\r\n2\tCole");
};

TEST_F(DeckEditorTest, UndoAndRedoStepThroughTheEditsByteForByte) {
  DeckEditor editor(path);
  const std::string start = test::TempDir::Read(path);
  editor.Add("Ash Dray");
  editor.Add("Dusk", 2);
  editor.Remove("Cole", 2);
  const std::string end = "11\tAsh Dray\r\n2\tDusk\r\n";
  EXPECT_EQ(test::TempDir::Read(path), end);
  ASSERT_TRUE(editor.CanUndo());
  EXPECT_EQ(editor.NextUndo()->name, "Cole");
  EXPECT_EQ(editor.NextUndo()->delta, -2);
  editor.Undo();
  editor.Undo();
  editor.Undo();
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(test::TempDir::Read(path), start);
  editor.Redo();
  editor.Redo();
  editor.Redo();
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(test::TempDir::Read(path), end);
  // A new edit after an undo drops the steps that could be redone.
  editor.Undo();
  editor.Add("Ash Dray");
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(test::TempDir::Read(path), "12\tAsh Dray\r\n2\tCole\r\n2\tDusk\r\n");
}

TEST_F(DeckEditorTest, RefusesAnEditWhenTheFileChangedOnDisk) {
  DeckEditor editor(path);
  editor.Add("Cole");
  // Same size, so neither the size nor (within a second) the time tells.
  dir.Write("deck.txt", "$B\tAsh Dray\r\n3\tCole\r\n");
  EXPECT_TRUE(editor.ChangedOnDisk());
  try {
    editor.Add("Cole");
    ADD_FAILURE() << "not refused";
  } catch (const DeckChangedOnDisk& e) {
    EXPECT_STREQ(e.what(), "The deck file changed on disk; it has been reloaded.");
  }
  EXPECT_EQ(test::TempDir::Read(path), "$B\tAsh Dray\r\n3\tCole\r\n");
  // The history no longer fits the file; the next edit works on the new bytes.
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.ChangedOnDisk());
  editor.Add("Cole");
  EXPECT_EQ(test::TempDir::Read(path), "$B\tAsh Dray\r\n4\tCole\r\n");
}

TEST_F(DeckEditorTest, AResyncAfterAReloadLetsTheNextEditThrough) {
  DeckEditor editor(path);
  editor.Add("Cole");
  editor.Resync();  // our own write: the history stays
  EXPECT_TRUE(editor.CanUndo());
  dir.Write("deck.txt", "$B\tAsh Dray\r\n3\tCole\r\n");
  editor.Resync();  // the window has reloaded what another program saved
  EXPECT_FALSE(editor.CanUndo());
  editor.Add("Cole");
  EXPECT_EQ(test::TempDir::Read(path), "$B\tAsh Dray\r\n4\tCole\r\n");
}

TEST_F(DeckEditorTest, AFailedWriteLeavesTheFileAsItWas) {
  DeckEditor editor(path);
  const std::string before = test::TempDir::Read(path);
  test::RunUnprivileged(dir.path(), [&] {
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    try {
      editor.Add("Cole");
      ADD_FAILURE() << "the write did not fail";
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(test::TempDir::Read(path), before);
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_FALSE(editor.ChangedOnDisk());
    ::chmod(dir.path().c_str(), 0755);
  });
}

// Two processes adding to one deck at the same time, as two scripts or the
// window and a script do: every edit lands.
TEST_F(DeckEditorTest, ParallelEditsOfOneDeckAreNeverLost) {
  constexpr int kEdits = 50;
  pid_t children[2];
  for (pid_t& child : children) {
    child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        for (int i = 0; i < kEdits; ++i) {
          DeckEditor editor;
          editor.OpenHeld(path);
          editor.Add("Cole");
        }
      } catch (...) {
        ::_exit(1);
      }
      ::_exit(0);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  EXPECT_EQ(test::TempDir::Read(path),
            "$A\tAsh Dray\r\n" + std::to_string(2 + 2 * kEdits) + "\tCole");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(DeckEditorTest, CreatesAnEmptyDeck) {
  DeckEditor editor;
  editor.Create(dir.File("new.txt"));
  EXPECT_EQ(test::TempDir::Read(dir.File("new.txt")), "");
  editor.Add("Cole");
  EXPECT_EQ(test::TempDir::Read(dir.File("new.txt")), "1\tCole\r\n");
}

}  // namespace
}  // namespace quillet
