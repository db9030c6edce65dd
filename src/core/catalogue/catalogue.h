// The catalogue: every card of CardStat.Dat held at once, for the card
// browser and for quillet-cli search. Load() reads the record file in one
// go; the rules texts are read from CardText.Dat only when a text search
// first needs them, and kept until the next Load(). Query() answers with the
// matching cards' indices in database order, and Sort() orders such a list
// by any column, so the window and the command line only render indices.
//
// The records come from the process's shared index of CardStat.Dat, so the
// browser reads and indexes the file no more than the analysis does.
//
// A card's "in deck" count is the sum of the counts of the analysed deck's
// lines that found it: the record the analysis found, while the card file is
// as the analysis read it; else the first record of the line's name.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_list.h"
#include "core/card_data/card_database.h"
#include "core/card_data/card_record.h"

namespace quillet {

enum class CatalogueColumn : int {
  Name,
  Type,
  Domain,
  Rarity,
  Edition,
  HP,
  Firepower,
  Armor,
  Stealth,
  Perception,
  CyberAffinity,
  DeployMil,
  DeployCov,
  DeployCyb,
  Keywords,
  InDeck,
};
inline constexpr int kCatalogueColumnCount = 16;

struct CatalogueColumnInfo {
  std::string_view caption;
  bool numeric;  // sorted by value under the integer rule, blanks first
};
const std::array<CatalogueColumnInfo, kCatalogueColumnCount>& CatalogueColumns();

// The filters name things by the words the card reader shows.
enum class WordKind { Type, Domain, Rarity, Keyword };
// Every word the reader can show for `kind`, in the order of its table. The
// keyword words are the keywords, then the "$" flags.
std::vector<std::string_view> ShownWords(WordKind kind);
bool IsShownWord(WordKind kind, std::string_view word);

struct CatalogueQuery {
  std::string text;    // bytes; empty matches every card
  bool inText = true;  // the text may match the rules text as well as the name
  std::optional<std::string> type, domain, rarity, keyword;  // shown words; nullopt: any
  bool inDeckOnly = false;
};

class Catalogue {
 public:
  explicit Catalogue(CardDatabase& db) : db_(db) {}

  // Takes every whole record of CardStat.Dat as it is now, forgets the texts
  // and keeps the deck's lines. Throws IoError; the catalogue is then empty.
  void Load();
  std::size_t Size() const { return cards_.size(); }
  const TCardRecord& Card(std::size_t i) const { return cards_[i]; }

  // What the browser shows in a cell, as card bytes.
  std::string Cell(std::size_t i, CatalogueColumn column) const;

  // The analysed deck's lines and the state of the card file their records
  // were found in; replaces the previous counts.
  void SetDeck(const std::vector<TDeckEntry>& lines,
               const std::optional<CardFileState>& analysed = std::nullopt);
  std::int64_t InDeck(std::size_t i) const { return inDeck_.empty() ? 0 : inDeck_[i]; }
  // The first card named exactly `name`.
  std::optional<std::size_t> Find(std::string_view name) const;

  // The card's rules text; reads CardText.Dat on first use (a missing file
  // gives empty texts). Throws IoError.
  const std::string& Text(std::size_t i);
  bool TextsLoaded() const { return textsLoaded_; }

  // The cards matching every part of `query`, in database order. Throws
  // IoError when the texts are needed and cannot be read.
  std::vector<std::uint32_t> Query(const CatalogueQuery& query);
  // Orders `rows` by `column`: numbers by value (blank first, then the
  // integer rule, then texts that are no number), texts case-folded; ties by
  // the case-folded name, then database order.
  void Sort(std::vector<std::uint32_t>& rows, CatalogueColumn column, bool descending) const;

 private:
  void LoadTexts();
  void ApplyDeck();

  CardDatabase& db_;
  std::vector<TCardRecord> cards_;
  std::vector<std::string> foldedNames_;
  std::shared_ptr<const CardIndex> index_;
  std::vector<TDeckEntry> deckLines_;
  std::optional<CardFileState> deckState_;
  std::vector<std::int64_t> inDeck_;
  bool textsLoaded_ = false;
  std::vector<std::string> texts_;
  std::vector<std::string> foldedTexts_;
};

}  // namespace quillet
