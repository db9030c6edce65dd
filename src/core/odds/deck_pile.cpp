#include "core/odds/deck_pile.h"

#include <algorithm>

#include "core/analysis/master_model.h"
#include "core/card_data/card_words.h"

namespace quillet {

DeckPile DeckPile::FromSession(const Session& session) {
  const DeckState& deck = session.deck;
  const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max(deck.DeckCount, 0)),
                                           deck.DeckList.size());
  // The negative counts are looked for first and on the lines as read, so a
  // negative HQ line refuses the deck as well.
  for (std::size_t i = 0; i < count; ++i) {
    if (deck.DeckList[i].Count < 0) {
      throw OddsError("Odds need a deck without negative card counts.");
    }
  }
  DeckPile pile;
  for (std::size_t i = 0; i < count; ++i) {
    const TDeckEntry& entry = deck.DeckList[i];
    const TCardRecord& card = entry.Card;
    if (card.CardType == 'H') continue;
    PileLine line{entry.Count, card, card.HasKeyword(Mask(Keyword::Topdeck))};
    pile.size_ += line.Count;
    if (line.TopDeck) pile.topDeck_ += line.Count;
    pile.lines_.push_back(line);
  }
  if (pile.size_ > kMaxPileSize) throw OddsError("Odds need a deck of at most 10,000 cards.");
  return pile;
}

template <typename Pick>
OddsGroup DeckPile::Group(std::string name, Pick pick) const {
  OddsGroup group;
  group.Name = std::move(name);
  group.Pile = size_;
  group.TopDeck = topDeck_;
  for (const PileLine& line : lines_) {
    if (!pick(line)) continue;
    group.Copies += line.Count;
    if (line.TopDeck) group.TopDeckCopies += line.Count;
  }
  return group;
}

std::optional<OddsGroup> DeckPile::FigureGroup(std::string_view component,
                                               const DrillDownContext& context) const {
  const DrillDownList* list = FindDrillDown(component);
  if (!list) return std::nullopt;
  return Group(std::string(component),
               [&](const PileLine& line) { return list->filter(line.Card, context); });
}

OddsGroup DeckPile::CardGroup(std::string_view name) const {
  return Group(std::string(name),
               [&](const PileLine& line) { return line.Card.Name.View() == name; });
}

std::optional<OddsGroup> FigureOddsGroup(MasterModel& model, std::string_view component) {
  if (!model.HasList(component)) return std::nullopt;
  const DeckPile pile = DeckPile::FromSession(model.session());
  const DrillDownContext context{model.session().stats, model.AssetSwitch(), model.CostBoxText()};
  return pile.FigureGroup(component, context);
}

OddsGroup CardOddsGroup(MasterModel& model, std::string_view name) {
  const DeckPile pile = DeckPile::FromSession(model.session());
  // A card the deck lacks has a group of 0 copies, but a name no card has is
  // a slip of the keyboard, refused in the words of the card browser.
  if (!model.session().db.LookupCard(name)) throw OddsError("No Such Card!");
  return pile.CardGroup(name);
}

}  // namespace quillet
