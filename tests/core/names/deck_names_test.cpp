#include "core/names/deck_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/deck_edit/deck_editor.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

TEST(DeckNamesTest, ReplacingANameKeepsEveryOtherByte) {
  struct Case {
    std::string deck;
    std::vector<NameFix> fixes;
    std::string after;  // empty: refused
  };
  const std::vector<Case> cases = {
      {"3\tkoan ic\r\n$A\tBull\r\n", {{1, "Koan Ice"}}, "3\tKoan Ice\r\n$A\tBull\r\n"},
      // Lone LF and CR ends, a last line without an end, two fixes at once.
      {"1\ta\n 2\tb\r3\tc", {{3, "Cee"}, {1, "Ay"}}, "1\tAy\n 2\tb\r3\tCee"},
      {"1\ta\tb\r\n", {{1, "X"}}, "1\tX\r\n"},
      {"1\ta\r\n", {{1, "B"}, {1, "C"}}, "1\tC\r\n"},
      {"1\ta\r\n", {}, "1\ta\r\n"},
      {"1\ta\r\n", {{2, "B"}}, ""},
      {"1\ta\r\n", {{0, "B"}}, ""},
      {"1\ta\r\n", {{1, "B\nC"}}, ""},
      {"1\ta\r\nx\tb\r\n", {{1, "B"}}, ""},
      {"1\ta\r\n2", {{2, "B"}}, ""},
  };
  for (const Case& c : cases) {
    if (c.after.empty()) {
      EXPECT_THROW(ReplaceDeckNames(c.deck, c.fixes), DeckEditError) << c.deck;
    } else {
      EXPECT_EQ(ReplaceDeckNames(c.deck, c.fixes), c.after) << c.deck;
    }
  }
}

TEST(DeckNamesTest, FixingIsOneWriteAndOneUndoStep) {
  const test::TempDir dir;
  const std::string before = "3\tkoan ic\r\n2\tKoan Ice\r\n1\tZzyzx\r\n1\tharness bull\r\n";
  const std::string path = dir.Write("deck.txt", before);
  const SuggestionIndex cards({"Koan Ice", "Harness Bull"});
  DeckEditor editor(path);

  const NameFixReport listed = FixSureNames(editor, cards, /*apply=*/false);
  EXPECT_EQ(listed.before.size(), 3u);
  EXPECT_EQ(listed.applied, 0u);
  EXPECT_FALSE(editor.CanUndo());

  const NameFixReport report = FixSureNames(editor, cards, /*apply=*/true);
  EXPECT_EQ(report.before.size(), 3u);
  EXPECT_EQ(report.applied, 2u);
  EXPECT_EQ(report.stillUnfound, 1u);
  const std::string after = "3\tKoan Ice\r\n2\tKoan Ice\r\n1\tZzyzx\r\n1\tHarness Bull\r\n";
  EXPECT_EQ(test::TempDir::Read(path), after);
  ASSERT_TRUE(editor.CanUndo());
  EXPECT_EQ(editor.NextUndo()->namesFixed, 2u);
  editor.Undo();
  EXPECT_EQ(test::TempDir::Read(path), before);
  EXPECT_FALSE(editor.CanUndo());
  editor.Redo();
  EXPECT_EQ(test::TempDir::Read(path), after);
}

}  // namespace
}  // namespace quillet
