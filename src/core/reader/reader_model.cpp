#include "core/reader/reader_model.h"

#include "core/card_data/card_words.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"

namespace quillet {

const std::vector<ReaderField>& ReaderFields() {
  static const std::vector<ReaderField> fields = {
      {"CardName", &ReaderView::CardName, "Name:"},
      {"Edition", &ReaderView::Edition, "Edition:"},
      {"Rarity", &ReaderView::Rarity, "Rarity:"},
      {"CardType", &ReaderView::CardType, "Type:"},
      {"Domain", &ReaderView::Domain, "Domain:"},
      {"ProdMil", &ReaderView::ProdMil, "Military production:"},
      {"TurnsMil", &ReaderView::TurnsMil, "Military turns:"},
      {"ProdCov", &ReaderView::ProdCov, "Covert production:"},
      {"TurnsCov", &ReaderView::TurnsCov, "Covert turns:"},
      {"ProdCyb", &ReaderView::ProdCyb, "CyberOps production:"},
      {"TurnsCyb", &ReaderView::TurnsCyb, "CyberOps turns:"},
      {"HP", &ReaderView::HP, "HP:"},
      {"Firepower", &ReaderView::Firepower, "FirePower:"},
      {"Armor", &ReaderView::Armor, "Armor:"},
      {"Stealth", &ReaderView::Stealth, "Stealth:"},
      {"Perception", &ReaderView::Perception, "Perception:"},
      {"CyberAffinity", &ReaderView::CyberAffinity, "CyberAffinity:"},
      {"DeployMil", &ReaderView::DeployMil, "Deploy Military:"},
      {"DeployCov", &ReaderView::DeployCov, "Deploy Covert:"},
      {"DeployCyb", &ReaderView::DeployCyb, "Deploy CyberOps:"},
      {"AttackMil", &ReaderView::AttackMil, "Attack Military:"},
      {"AttackCov", &ReaderView::AttackCov, "Attack Covert:"},
      {"AttackCyb", &ReaderView::AttackCyb, "Attack CyberOps:"},
      {"MoveMil", &ReaderView::MoveMil, "Move Military:"},
      {"MoveCov", &ReaderView::MoveCov, "Move Covert:"},
      {"MoveCyb", &ReaderView::MoveCyb, "Move CyberOps:"},
      {"SearchMil", &ReaderView::SearchMil, "Search Military:"},
      {"SearchCov", &ReaderView::SearchCov, "Search Covert:"},
      {"SearchCyb", &ReaderView::SearchCyb, "Search CyberOps:"},
  };
  return fields;
}

std::string SearchKey(std::string_view text) {
  return std::string(Trim(LowerAscii(text)));
}

bool MatchesSearchKey(std::string_view cardName, std::string_view key) {
  // An empty key would be a prefix of every name, but a blank search box
  // is meant to find nothing.
  return !key.empty() && SearchKey(cardName).starts_with(key);
}

ReaderModel::ReaderModel(CardDatabase& db, std::string& selectedCardName, ReaderHost& host)
    : db_(db), selectedCardName_(selectedCardName), host_(host) {}

void ReaderModel::Read(std::int32_t index) {
  if (!index_) {
    db_.ReadRecord(index);
    return;
  }
  if (index < 0 || index >= index_->Count()) throw IoError(kReadBeyondEnd);
  db_.CurrentCard = DecodeRecord(index_->Record(index));
}

std::int32_t ReaderModel::Count() {
  return index_ ? index_->Count() : db_.RecordCount();
}

void ReaderModel::FormActivate() {
  // The records and the texts shown come from one opening of the pair.
  db_.OpenCardStat();
  index_.reset();
  if (db_.KeepsIndex()) index_ = db_.SharedIndex();
  db_.CurrentCardIndex = 0;
  textAvailable_ = db_.CardTextOpen();
  if (textAvailable_) {
    view_.CardTextMissing = false;
  } else {
    view_.CardTextMissing = true;
    view_.CardText = std::string(kNoCardTextMessage);
  }

  if (selectedCardName_.empty()) {
    Read(0);
  } else {
    const std::int32_t count = Count();
    do {
      Read(db_.CurrentCardIndex);
      ++db_.CurrentCardIndex;
    } while (db_.CurrentCardIndex < count && db_.CurrentCard.Name.View() != selectedCardName_);
    --db_.CurrentCardIndex;
  }
  ShowCard();
}

void ReaderModel::ShowCard() {
  const TCardRecord& card = db_.CurrentCard;
  view_.CardName = card.Name.Str();
  view_.Edition = card.Edition.Str();
  // A code without a word leaves the box as it was.
  if (const auto word = RarityWord(card.Rarity)) view_.Rarity = *word;
  if (const auto word = CardTypeWord(card.CardType)) view_.CardType = *word;
  if (const auto word = DomainWord(card.Domain)) view_.Domain = *word;

  view_.HP = card.HP.Str();
  view_.Firepower = card.Firepower.Str();
  view_.Armor = card.Armor.Str();
  view_.Stealth = card.Stealth.Str();
  view_.Perception = card.Perception.Str();
  view_.CyberAffinity = card.CyberAffinity.Str();
  view_.DeployMil = card.DeployMil.Str();
  view_.DeployCov = card.DeployCov.Str();
  view_.DeployCyb = card.DeployCyb.Str();
  view_.TurnsMil = card.TurnsMil.Str();
  view_.TurnsCov = card.TurnsCov.Str();
  view_.TurnsCyb = card.TurnsCyb.Str();
  view_.AttackMil = std::string(1, card.AttackMil);
  view_.AttackCov = std::string(1, card.AttackCov);
  view_.AttackCyb = std::string(1, card.AttackCyb);
  view_.MoveMil = std::string(1, card.MoveMil);
  view_.MoveCov = std::string(1, card.MoveCov);
  view_.MoveCyb = std::string(1, card.MoveCyb);
  view_.SearchMil = std::string(1, card.SearchMil);
  view_.SearchCov = std::string(1, card.SearchCov);
  view_.SearchCyb = std::string(1, card.SearchCyb);
  view_.ProdMil = std::string(1, card.ProdMil);
  view_.ProdCov = std::string(1, card.ProdCov);
  view_.ProdCyb = std::string(1, card.ProdCyb);

  view_.SpecialBox.clear();
  for (int bit = 0; bit < kKeywordCount; ++bit) {
    if ((card.Keywords & (std::uint32_t{1} << bit)) != 0)
      view_.SpecialBox.emplace_back(kKeywordWords[bit]);
  }
  for (int bit = 0; bit < kSpecialCount; ++bit) {
    if ((card.Specials & (std::uint32_t{1} << bit)) != 0) {
      view_.SpecialBox.emplace_back(kSpecialDisplayWords[bit]);
    }
  }

  if (textAvailable_) view_.CardText = card.TextStart > 0 ? db_.ReadCardTextOf() : std::string();
}

void ReaderModel::FirstButtonClick() {
  db_.CurrentCardIndex = 0;
  Read(0);
  ShowCard();
}

void ReaderModel::PreviousButtonClick() {
  if (db_.CurrentCardIndex - 1 >= 0) {
    --db_.CurrentCardIndex;
    Read(db_.CurrentCardIndex);
    ShowCard();
  } else {
    db_.CurrentCardIndex = 0;
    host_.ShowMessage("This is the first card!");
  }
}

void ReaderModel::NextButtonClick() {
  ++db_.CurrentCardIndex;
  if (db_.CurrentCardIndex >= Count()) {
    --db_.CurrentCardIndex;
    host_.ShowMessage("This is the last card!");
    return;
  }
  Read(db_.CurrentCardIndex);
  ShowCard();
}

void ReaderModel::LastButtonClick() {
  db_.CurrentCardIndex = Count() - 1;
  Read(db_.CurrentCardIndex);
  ShowCard();
}

void ReaderModel::SearchButtonClick(std::string_view searchText) {
  const std::int32_t shown = db_.CurrentCardIndex;
  const std::string key = SearchKey(searchText);
  const std::int32_t count = Count();
  db_.CurrentCardIndex = 0;
  bool found = false;
  try {
    do {
      Read(db_.CurrentCardIndex);
      ++db_.CurrentCardIndex;
      found = MatchesSearchKey(db_.CurrentCard.Name.View(), key);
    } while (!found && db_.CurrentCardIndex < count);
  } catch (...) {
    db_.CurrentCardIndex = shown;
    throw;
  }
  if (found) {
    --db_.CurrentCardIndex;
    Read(db_.CurrentCardIndex);
    ShowCard();
    return;
  }
  db_.CurrentCardIndex = shown;
  host_.ShowMessage("No Such Card!");
}

const std::string& ReaderModel::DoneButtonClick() {
  selectedCardName_ = view_.CardName;
  return selectedCardName_;
}

}  // namespace quillet
