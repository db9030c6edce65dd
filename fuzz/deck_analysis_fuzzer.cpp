// Any deck file analyses against a fixed small card database without a crash
// or undefined behaviour. A failed analysis leaves the window's view in its
// reset state; a successful one leaves a deck list, card list and figures that
// agree with each other, and every drill-down list and line selection works.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "core/analysis/drill_down.h"
#include "deck_fuzz_support.h"

namespace {

using namespace quillet;
using namespace quillet::fuzz;

void CheckReset(const MainView& model) {
  for (const auto& field : MasterFields()) Check(model.FieldValue(field.name) == 0);
  Check(!model.ShowZero());
  Check(model.DName().empty() && model.HQType().empty());
  Check(model.CostBoxItems().size() == 1 && model.CostBoxText() == "All cards");
  Check(model.ProblemBox().empty() && model.CardList().empty());
  Check(!model.SaveEnabled());
  Check(model.Analysis().entries.empty() && !model.Loaded());
  Check(model.Analysis().stats.OverLimitNames.empty() && !model.Analysis().stats.HQFound);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string deckPath = WriteDeck(data, size);

  CardDatabase db(Folder());
  Check(db.CardStatExists());
  MainView model;
  const std::vector<std::string> messages = model.Show(AnalyzeInView(deckPath, model, db));

  if (model.DName().empty()) {
    Check(!messages.empty());
    CheckReset(model);
    return 0;
  }
  const std::size_t count = model.Analysis().entries.size();
  Check(model.CardList().size() == count);
  Check(model.ShowZero() && model.SaveEnabled());
  Check(!model.HQType().empty());
  Check(model.CostBoxItems().back() == "All cards");

  // The lists a user can open, and a click on every line they show.
  for (const auto& list : DrillDownLists()) {
    Check(model.DrillDown(list.component, db) == (count > 0));
    Check(model.CardList().size() <= count);
  }
  model.DrillDown("DName", db);
  for (std::size_t i = 0; i < model.CardList().size() && i < 8; ++i) {
    try {
      model.CardListClick(static_cast<int>(i), db);
    } catch (const std::overflow_error&) {
      // Negative counts can push a chance beyond 32 bits: refused, not wrapped.
    }
  }
  return 0;
}
