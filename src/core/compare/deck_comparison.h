// The comparison of two analysed decks: the cards whose copies differ, the
// main window's integer figures whose values differ, the problems found in
// only one of the two decks and each deck's cards that were not found. Both
// decks are analysed first with the same options (asset switch and cost
// kind), so the figures compared are exactly the ones the main window shows. The compare window and
// quillet-cli's diff are renderings of DeckComparison. Names and sentences are bytes in the card
// data's code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_analysis.h"
#include "core/analysis/deck_list.h"
#include "core/analysis/main_view.h"

namespace quillet {

// A card whose copies differ: the sum of the counts of the deck's found lines
// of that card in each deck (0 when the deck has no line of it).
struct CardCopiesChange {
  std::string Name;
  std::int64_t A = 0;
  std::int64_t B = 0;
  bool operator==(const CardCopiesChange&) const = default;
};

// An integer figure whose value differs.
struct FieldChange {
  std::string_view Field;    // component name, e.g. "HighFP"
  std::string_view Caption;  // a caption that stands alone, e.g. "Assets: Highest CA"
  bool percentage = false;
  std::int32_t A = 0;
  std::int32_t B = 0;
};

struct DeckComparison {
  std::string A;  // the decks' paths as they were opened
  std::string B;
  std::vector<CardCopiesChange> Cards;  // in card name order, see CardNameBefore
  std::vector<FieldChange> Fields;      // in window order
  std::vector<std::string> ProblemsOnlyA;
  std::vector<std::string> ProblemsOnlyB;
  std::vector<std::string> MissingA;  // file order, each name once
  std::vector<std::string> MissingB;
};

// Compares two analysed models. Both must hold a successful analysis and
// should have the same asset switch and cost kind.
DeckComparison CompareDecks(const DeckAnalysis& a, const DeckAnalysis& b);

// The pieces, exposed for the tests.

// The order of the card database: the names' bytes with A-Z lower-cased, then
// the names' bytes, so names differing only in case still have a fixed order.
bool CardNameBefore(std::string_view a, std::string_view b);

// The cards whose total copies differ between two lists of found deck lines,
// in CardNameBefore order. Names are matched exactly.
std::vector<CardCopiesChange> CompareCopies(const std::vector<TDeckEntry>& a,
                                            const std::vector<TDeckEntry>& b);

// The sentences of `mine` that `other` does not hold, in the order of `mine`.
// A sentence listed k times in `mine` and m times in `other` is kept k - m
// times (its last occurrences), so the lists are compared as multisets.
std::vector<std::string> ProblemsOnlyIn(const std::vector<std::string>& mine,
                                        const std::vector<std::string>& other);

// The names in file order, each once: a card missing from several lines is
// one missing card.
std::vector<std::string> DistinctNames(const std::vector<std::string>& names);

// The window's caption for a figure, completed where the main window relies
// on the caption of its row or column ("Production:" stands once for three
// figures, and "Highest CA:" twice).
std::string_view ComparisonCaption(const MasterField& field);

}  // namespace quillet
