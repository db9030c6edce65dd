#include "core/compare/deck_check.h"

#include <algorithm>

#include "core/compare/deck_comparison.h"

namespace quillet {

bool IsIllegalProblem(std::string_view sentence) {
  return sentence.ends_with("It is illegal under normal rules!");
}

DeckCheck CheckDeck(const MasterModel& model, bool strict) {
  DeckCheck check;
  check.FileName = model.DName();
  check.Problems = model.ProblemBox();
  check.Missing = DistinctNames(model.MissingCards());
  const bool breach = strict
                          ? !check.Problems.empty()
                          : std::any_of(check.Problems.begin(), check.Problems.end(),
                                        [](const std::string& p) { return IsIllegalProblem(p); });
  check.Legal = !breach && check.Missing.empty();
  return check;
}

}  // namespace quillet
