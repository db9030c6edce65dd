#include "core/catalogue/catalogue.h"

#include <algorithm>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_words.h"
#include "core/card_data/paths.h"
#include "core/card_data/safe_file.h"
#include "core/catalogue/card_folding.h"

namespace quillet {
namespace {

// The reader's rule for a card's text: TextStart to TextEnd (1-based,
// inclusive), a TextEnd before TextStart running on to the end, cut at the
// end of the file.
std::string_view TextSlice(const TCardRecord& card, std::string_view file) {
  if (card.TextStart <= 0) return {};
  const std::int64_t size = static_cast<std::int64_t>(file.size());
  const std::int64_t first = std::int64_t{card.TextStart} - 1;
  std::int64_t end = card.TextEnd >= card.TextStart ? card.TextEnd : size;
  end = std::min(end, size);
  if (first >= end) return {};
  return file.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first));
}

}  // namespace

const std::array<CatalogueColumnInfo, kCatalogueColumnCount>& CatalogueColumns() {
  static const std::array<CatalogueColumnInfo, kCatalogueColumnCount> columns = {{
      {"Name", false},
      {"Type", false},
      {"Domain", false},
      {"Rarity", false},
      {"Edition", false},
      {"HP", true},
      {"FP", true},
      {"Armor", true},
      {"Stealth", true},
      {"Perception", true},
      {"CA", true},
      {"Deploy Mil", true},
      {"Deploy Cov", true},
      {"Deploy Cyb", true},
      {"Keywords", false},
      {"In deck", true},
  }};
  return columns;
}

std::vector<std::string_view> ShownWords(WordKind kind) {
  std::vector<std::string_view> words;
  switch (kind) {
    case WordKind::Type:
      for (char code : std::string_view("ABEHIP")) words.push_back(*CardTypeWord(code));
      break;
    case WordKind::Domain:
      words.assign(kDomainWords.begin(), kDomainWords.end());
      break;
    case WordKind::Rarity:
      for (char code : std::string_view("CURV")) words.push_back(*RarityWord(code));
      break;
    case WordKind::Keyword:
      words.assign(kKeywordWords.begin(), kKeywordWords.end());
      words.insert(words.end(), kSpecialDisplayWords.begin(), kSpecialDisplayWords.end());
      break;
  }
  return words;
}

bool IsShownWord(WordKind kind, std::string_view word) {
  const auto words = ShownWords(kind);
  return std::find(words.begin(), words.end(), word) != words.end();
}

void Catalogue::Load() {
  cards_.clear();
  foldedNames_.clear();
  index_.reset();
  inDeck_.clear();
  texts_.clear();
  foldedTexts_.clear();
  textsLoaded_ = false;

  auto index = CardIndex::Shared(db_.CardStatPath());
  const auto count = static_cast<std::size_t>(index->Count());
  std::vector<TCardRecord> cards;
  cards.reserve(count);
  std::vector<std::string> folded;
  folded.reserve(count);
  for (std::int32_t i = 0; i < index->Count(); ++i) {
    cards.push_back(DecodeRecord(index->Record(i)));
    folded.push_back(FoldText(cards.back().Name.View()));
  }
  cards_ = std::move(cards);
  foldedNames_ = std::move(folded);
  index_ = std::move(index);
  ApplyDeck();
}

std::string Catalogue::Cell(std::size_t i, CatalogueColumn column) const {
  const TCardRecord& card = cards_[i];
  const auto word = [](std::optional<std::string_view> w) {
    return w ? std::string(*w) : std::string();
  };
  switch (column) {
    case CatalogueColumn::Name:
      return card.Name.Str();
    case CatalogueColumn::Type:
      return word(CardTypeWord(card.CardType));
    case CatalogueColumn::Domain:
      return word(DomainWord(card.Domain));
    case CatalogueColumn::Rarity:
      return word(RarityWord(card.Rarity));
    case CatalogueColumn::Edition:
      return card.Edition.Str();
    case CatalogueColumn::HP:
      return card.HP.Str();
    case CatalogueColumn::Firepower:
      return card.Firepower.Str();
    case CatalogueColumn::Armor:
      return card.Armor.Str();
    case CatalogueColumn::Stealth:
      return card.Stealth.Str();
    case CatalogueColumn::Perception:
      return card.Perception.Str();
    case CatalogueColumn::CyberAffinity:
      return card.CyberAffinity.Str();
    case CatalogueColumn::DeployMil:
      return card.DeployMil.Str();
    case CatalogueColumn::DeployCov:
      return card.DeployCov.Str();
    case CatalogueColumn::DeployCyb:
      return card.DeployCyb.Str();
    case CatalogueColumn::Keywords: {
      // As the reader's list shows them: keywords, then "$" flags, in bit order.
      std::string text;
      const auto add = [&text](std::string_view w) {
        if (!text.empty()) text += ", ";
        text += w;
      };
      for (int bit = 0; bit < kKeywordCount; ++bit) {
        if ((card.Keywords & (std::uint32_t{1} << bit)) != 0) add(kKeywordWords[bit]);
      }
      for (int bit = 0; bit < kSpecialCount; ++bit) {
        if ((card.Specials & (std::uint32_t{1} << bit)) != 0) add(kSpecialDisplayWords[bit]);
      }
      return text;
    }
    case CatalogueColumn::InDeck: {
      const std::int64_t n = InDeck(i);
      return n == 0 ? std::string() : std::to_string(n);
    }
  }
  return {};
}

void Catalogue::SetDeck(const std::vector<TDeckEntry>& lines,
                        const std::optional<CardFileState>& analysed) {
  deckLines_ = lines;
  deckState_ = analysed;
  ApplyDeck();
}

void Catalogue::ApplyDeck() {
  inDeck_.assign(cards_.size(), 0);
  const bool sameFile = index_ && deckState_ && *deckState_ == index_->State();
  for (const TDeckEntry& line : deckLines_) {
    if (sameFile && line.Record >= 0 && static_cast<std::size_t>(line.Record) < cards_.size()) {
      inDeck_[static_cast<std::size_t>(line.Record)] += line.Count;
    } else if (const auto i = Find(line.Name)) {
      inDeck_[*i] += line.Count;
    }
  }
}

std::optional<std::size_t> Catalogue::Find(std::string_view name) const {
  const std::int32_t i = index_ ? index_->First(name) : -1;
  if (i < 0) return std::nullopt;
  return static_cast<std::size_t>(i);
}

const std::string& Catalogue::Text(std::size_t i) {
  LoadTexts();
  return texts_[i];
}

void Catalogue::LoadTexts() {
  if (textsLoaded_) return;
  std::string file;
  if (FileExists(db_.CardTextPath())) file = ReadWholeFile(db_.CardTextPath(), /*maxSize=*/-1);
  std::vector<std::string> texts;
  std::vector<std::string> folded;
  texts.reserve(cards_.size());
  folded.reserve(cards_.size());
  for (const TCardRecord& card : cards_) {
    texts.emplace_back(TextSlice(card, file));
    folded.push_back(FoldText(texts.back()));
  }
  texts_ = std::move(texts);
  foldedTexts_ = std::move(folded);
  textsLoaded_ = true;
}

}  // namespace quillet
