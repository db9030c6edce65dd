// Searching and ordering the catalogue. Both run on every keystroke in the
// browser over up to tens of thousands of cards, so the folded names (and,
// once read, the folded texts) are prepared at loading and a sort computes
// each row's key once.
#include <algorithm>

#include "core/card_data/card_words.h"
#include "core/card_data/str_to_int.h"
#include "core/catalogue/card_folding.h"
#include "core/catalogue/catalogue.h"

namespace quillet {
namespace {

struct KeywordMasks {
  std::uint32_t keywords = 0;
  std::uint32_t specials = 0;
};

KeywordMasks MasksOf(std::string_view word) {
  KeywordMasks masks;
  for (int bit = 0; bit < kKeywordCount; ++bit) {
    if (kKeywordWords[bit] == word) masks.keywords |= std::uint32_t{1} << bit;
  }
  for (int bit = 0; bit < kSpecialCount; ++bit) {
    if (kSpecialDisplayWords[bit] == word) masks.specials |= std::uint32_t{1} << bit;
  }
  return masks;
}

bool WordIs(std::optional<std::string_view> shown, const std::optional<std::string>& wanted) {
  if (!wanted) return true;
  return shown && *shown == *wanted;
}

// A number column's key: blanks first, then numbers by value, then texts
// that are no number (by their folded text).
struct NumberKey {
  int rank = 0;
  std::int64_t value = 0;
};

NumberKey NumberKeyOf(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return {0, 0};
  if (const auto value = TryStrToInt(text)) return {1, *value};
  return {2, 0};
}

}  // namespace

std::vector<std::uint32_t> Catalogue::Query(const CatalogueQuery& query) {
  const std::string needle = FoldText(query.text);
  const bool searchTexts = query.inText && !needle.empty();
  if (searchTexts) LoadTexts();
  const KeywordMasks masks = query.keyword ? MasksOf(*query.keyword) : KeywordMasks{};

  std::vector<std::uint32_t> rows;
  rows.reserve(cards_.size());
  for (std::size_t i = 0; i < cards_.size(); ++i) {
    const TCardRecord& card = cards_[i];
    if (query.inDeckOnly && InDeck(i) == 0) continue;
    if (!WordIs(CardTypeWord(card.CardType), query.type)) continue;
    if (!WordIs(DomainWord(card.Domain), query.domain)) continue;
    if (!WordIs(RarityWord(card.Rarity), query.rarity)) continue;
    if (query.keyword && (card.Keywords & masks.keywords) == 0 &&
        (card.Specials & masks.specials) == 0) {
      continue;
    }
    if (!needle.empty() && foldedNames_[i].find(needle) == std::string::npos &&
        !(searchTexts && foldedTexts_[i].find(needle) != std::string::npos)) {
      continue;
    }
    rows.push_back(static_cast<std::uint32_t>(i));
  }
  return rows;
}

void Catalogue::Sort(std::vector<std::uint32_t>& rows, CatalogueColumn column,
                     bool descending) const {
  const bool numeric = CatalogueColumns()[static_cast<int>(column)].numeric;
  struct Keyed {
    NumberKey number;
    std::string text;  // folded
    std::uint32_t row;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(rows.size());
  for (const std::uint32_t row : rows) {
    Keyed k{{}, {}, row};
    if (column == CatalogueColumn::InDeck) {
      const std::int64_t n = InDeck(row);
      k.number = n == 0 ? NumberKey{0, 0} : NumberKey{1, n};
    } else if (numeric) {
      const std::string cell = Cell(row, column);
      k.number = NumberKeyOf(cell);
      if (k.number.rank == 2) k.text = FoldText(cell);
    } else if (column != CatalogueColumn::Name) {
      k.text = FoldText(Cell(row, column));
    }
    keyed.push_back(std::move(k));
  }
  // The column decides; the name and then the database order break ties, in
  // the same direction so that a reversed list is the exact mirror.
  const auto less = [this](const Keyed& a, const Keyed& b) {
    if (a.number.rank != b.number.rank) return a.number.rank < b.number.rank;
    if (a.number.value != b.number.value) return a.number.value < b.number.value;
    if (a.text != b.text) return a.text < b.text;
    const std::string& nameA = foldedNames_[a.row];
    const std::string& nameB = foldedNames_[b.row];
    if (nameA != nameB) return nameA < nameB;
    return a.row < b.row;
  };
  if (descending) {
    std::sort(keyed.begin(), keyed.end(),
              [&less](const Keyed& a, const Keyed& b) { return less(b, a); });
  } else {
    std::sort(keyed.begin(), keyed.end(), less);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].row;
}

}  // namespace quillet
