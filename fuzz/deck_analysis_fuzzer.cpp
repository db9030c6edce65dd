// Any deck file analyses against a fixed small card database without a crash
// or undefined behaviour. A failed analysis leaves the window model in its
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

void CheckReset(const MasterModel& model, const Session& session) {
  for (const auto& field : MasterFields()) Check(model.FieldValue(field.name) == 0);
  Check(!model.ShowZero());
  Check(model.DName().empty() && model.HQType().empty());
  Check(model.CostBoxItems().size() == 1 && model.CostBoxText() == "All cards");
  Check(model.ProblemBox().empty() && model.CardList().empty());
  Check(!model.SaveEnabled());
  Check(session.deck.DeckCount == 0 && session.deck.DeckFileName.empty());
  Check(session.stats.OverLimitNames.empty() && !session.stats.HQFound);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string deckPath = WriteDeck(data, size);

  Session session(Folder());
  MasterModel model(session);
  Check(model.Create());
  Host host(deckPath);
  model.OpenDeck(host, /*useSettings=*/false);
  Check(host.depth == 0);

  if (session.deck.DeckFileName.empty()) {
    Check(host.messages >= 1);
    CheckReset(model, session);
    return 0;
  }
  const auto count = static_cast<std::size_t>(session.deck.DeckCount);
  Check(count == session.deck.DeckList.size());
  Check(model.CardList().size() == count);
  Check(model.ShowZero() && model.SaveEnabled());
  Check(!model.HQType().empty());
  Check(model.CostBoxItems().back() == "All cards");

  // The lists a user can open, and a click on every line they show.
  for (const auto& list : DrillDownLists()) {
    Check(model.DrillDown(list.component) == (count > 0));
    Check(model.CardList().size() <= count);
  }
  model.DrillDown("DName");
  for (std::size_t i = 0; i < model.CardList().size() && i < 8; ++i) {
    try {
      model.CardListClick(static_cast<int>(i));
    } catch (const std::overflow_error&) {
      // Negative counts can push a chance beyond 32 bits: refused, not wrapped.
    }
  }
  return 0;
}
