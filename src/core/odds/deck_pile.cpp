#include "core/odds/deck_pile.h"

#include <algorithm>

#include "core/analysis/master_model.h"
#include "core/card_data/card_words.h"

namespace quillet {

DeckPile DeckPile::FromSession(const Session& session, Limit limit) {
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
  if (limit == Limit::kOdds && pile.size_ > kMaxPileSize)
    throw OddsError("Odds need a deck of at most 10,000 cards.");
  return pile;
}

OddsGroup DeckPile::Group(std::string name, const std::vector<bool>& members) const {
  OddsGroup group;
  group.Name = std::move(name);
  group.Pile = size_;
  group.TopDeck = topDeck_;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (!members[i]) continue;
    group.Copies += lines_[i].Count;
    if (lines_[i].TopDeck) group.TopDeckCopies += lines_[i].Count;
  }
  return group;
}

std::optional<std::vector<bool>> DeckPile::FigureLines(std::string_view component,
                                                       const DrillDownContext& context) const {
  const DrillDownList* list = FindDrillDown(component);
  if (!list) return std::nullopt;
  std::vector<bool> members;
  members.reserve(lines_.size());
  for (const PileLine& line : lines_) members.push_back(list->filter(line.Card, context));
  return members;
}

std::vector<bool> DeckPile::CardLines(std::string_view name) const {
  std::vector<bool> members;
  members.reserve(lines_.size());
  for (const PileLine& line : lines_) members.push_back(line.Card.Name.View() == name);
  return members;
}

std::optional<OddsGroup> DeckPile::FigureGroup(std::string_view component,
                                               const DrillDownContext& context) const {
  const auto members = FigureLines(component, context);
  if (!members) return std::nullopt;
  return Group(std::string(component), *members);
}

OddsGroup DeckPile::CardGroup(std::string_view name) const {
  return Group(std::string(name), CardLines(name));
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
