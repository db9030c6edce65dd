#include "core/odds/deck_pile.h"

#include <algorithm>

#include "core/card_data/card_words.h"

namespace quillet {

DeckPile DeckPile::FromAnalysis(const DeckAnalysis& analysis, Limit limit) {
  // The negative counts are looked for first and on the lines as read, so a
  // negative HQ line refuses the deck as well.
  for (const TDeckEntry& entry : analysis.entries) {
    if (entry.Count < 0) throw OddsError("Odds need a deck without negative card counts.");
  }
  DeckPile pile;
  for (const TDeckEntry& entry : analysis.entries) {
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

std::optional<OddsGroup> FigureOddsGroup(const DeckAnalysis& analysis, std::string_view component) {
  if (!FindDrillDown(component)) return std::nullopt;
  const DeckPile pile = DeckPile::FromAnalysis(analysis);
  const DrillDownContext context{analysis.stats, analysis.options.assetsOnly,
                                 analysis.options.costKind};
  return pile.FigureGroup(component, context);
}

OddsGroup CardOddsGroup(const DeckAnalysis& analysis, CardDatabase& db, std::string_view name) {
  const DeckPile pile = DeckPile::FromAnalysis(analysis);
  // A card the deck lacks has a group of 0 copies, but a name no card has is
  // a slip of the keyboard, refused in the words of the card browser.
  if (!db.LookupCard(name)) throw OddsError("No Such Card!");
  return pile.CardGroup(name);
}

}  // namespace quillet
