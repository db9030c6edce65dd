#include "cli/card_report.h"

#include "core/card_data/card_words.h"

namespace quillet::cli {

ReaderView OwnWords(ReaderView view, const TCardRecord& card) {
  if (!RarityWord(card.Rarity)) view.Rarity.clear();
  if (!CardTypeWord(card.CardType)) view.CardType.clear();
  if (!DomainWord(card.Domain)) view.Domain.clear();
  return view;
}

Json CardJson(const ReaderView& view) {
  Json card = Json::object();
  for (const ReaderField& field : ReaderFields()) {
    card[std::string(field.name)] = JsonText(view.*field.value);
  }
  card["SpecialBox"] = JsonTexts(view.SpecialBox);
  card["CardText"] = JsonText(view.CardText);
  return card;
}

}  // namespace quillet::cli
