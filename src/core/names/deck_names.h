// The names of a deck that no card has, each with its suggestions, and the
// fix of every line whose suggestion is sure. The deck is read as the
// analysis reads it (the deck reader's lines, its count rule, exact names),
// but no figure is computed: a deck whose figures fail can still have its
// names fixed. quillet-cli names and the window's Fix Card Names both stand
// on this.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck_edit/deck_edit.h"
#include "core/names/name_suggestions.h"

namespace quillet {

class DeckEditor;

struct UnfoundLine {
  std::size_t line = 0;  // from 1
  std::string name;      // as written
  NameSuggestions suggestions;
};

// Every line of `deck` whose name no card has, in file order. Throws
// ConvertError for a count field the deck reader refuses.
std::vector<UnfoundLine> UnfoundDeckLines(std::string_view deck, const SuggestionIndex& cards);

// The lines with a sure suggestion, renamed to it.
std::vector<NameFix> SureFixes(const std::vector<UnfoundLine>& lines);

struct NameFixReport {
  std::vector<UnfoundLine> before;  // the unfound lines before any fix
  std::size_t applied = 0;          // lines renamed
  std::size_t stillUnfound = 0;     // lines not found afterwards
};

// Reads the editor's deck, lists its unfound lines and, when `apply` is set,
// renames the sure ones through the editor (one write, one undo step).
// Throws ConvertError for an invalid deck, DeckEditError and IoError as the
// editor does.
NameFixReport FixSureNames(DeckEditor& editor, const SuggestionIndex& cards, bool apply);

}  // namespace quillet
