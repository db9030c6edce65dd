#include "core/compare/deck_check.h"

#include <algorithm>

#include "core/compare/deck_comparison.h"

namespace quillet {

bool IsIllegalProblem(std::string_view sentence) {
  return sentence.ends_with("It is illegal under normal rules!");
}

DeckCheck CheckDeck(const DeckAnalysis& analysis, bool strict) {
  DeckCheck check;
  check.FileName = analysis.deckPath;
  check.Problems = analysis.problems;
  check.Missing = DistinctNames(analysis.missing);
  const bool breach = strict
                          ? !check.Problems.empty()
                          : std::any_of(check.Problems.begin(), check.Problems.end(),
                                        [](const std::string& p) { return IsIllegalProblem(p); });
  check.Legal = !breach && check.Missing.empty();
  return check;
}

}  // namespace quillet
