// The deck check for scripts: whether an analysed deck is legal. A deck is
// illegal when one of its problems is a breach of the deck rules (a sentence
// ending "It is illegal under normal rules!") or when a card of it was not
// found; strictly, any problem at all fails it. The CLI prints and exits by
// this; it adds nothing of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_analysis.h"

namespace quillet {

struct DeckCheck {
  std::string FileName;  // the deck's path as it was opened
  bool Legal = false;
  std::vector<std::string> Problems;  // the problem list, in its order
  std::vector<std::string> Missing;   // the cards not found, file order, each once
};

// Whether a problem sentence is a breach of the deck rules.
bool IsIllegalProblem(std::string_view sentence);

// The check of the analysis `model` holds (a successful one).
DeckCheck CheckDeck(const DeckAnalysis& analysis, bool strict);

}  // namespace quillet
