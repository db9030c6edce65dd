// The pile the odds and the sample hands are about: every copy of the
// analysed deck's found lines except the HQ cards, in deck-file order. It is
// read once from the analysis (each line with the record the
// analysis found for it), checked, and then answers the groups:
// the copies behind a figure of the main window or every copy of one card.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_analysis.h"
#include "core/analysis/drill_down.h"
#include "core/card_data/card_record.h"

namespace quillet {

// No odds and no hand can be given for this deck; what() is the message.
class OddsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::int64_t kMaxPileSize = 10000;

// One deck line of the pile, with the card its name finds.
struct PileLine {
  std::int32_t Count = 0;
  TCardRecord Card;
  bool TopDeck = false;
};

// A set of the pile's copies and the pile it is drawn from.
struct OddsGroup {
  std::string Name;                // the figure's component name or the card's name (bytes)
  std::int64_t Copies = 0;         // G
  std::int64_t TopDeckCopies = 0;  // Gt: the group's copies that carry Topdeck
  std::int64_t Pile = 0;           // N
  std::int64_t TopDeck = 0;        // T: the pile's copies that carry Topdeck
};

class DeckPile {
 public:
  // The pile of the analysed deck. Throws OddsError when a found
  // line (an HQ line too) has a negative count, or when the pile has more
  // than kMaxPileSize cards, checked in that order; dealing hands to count
  // them needs no limit, and `limit` kNoLimit drops the second check.
  enum class Limit { kOdds, kNoLimit };
  static DeckPile FromAnalysis(const DeckAnalysis& analysis, Limit limit = Limit::kOdds);

  const std::vector<PileLine>& Lines() const { return lines_; }  // without HQ lines
  std::int64_t Size() const { return size_; }
  std::int64_t TopDeckSize() const { return topDeck_; }

  // The copies of the lines the figure's drill-down list shows, with the
  // window's switches as `context` gives them. nullopt for a component that
  // opens no list.
  std::optional<OddsGroup> FigureGroup(std::string_view component,
                                       const DrillDownContext& context) const;
  // Every copy of the card named exactly `name` (bytes); none is no error.
  OddsGroup CardGroup(std::string_view name) const;

  // The same two groups as one flag per line of Lines(): whether the line's
  // copies belong to it. Goals count copies of several groups at once, so
  // they need to know which lines each group shares with the others.
  std::optional<std::vector<bool>> FigureLines(std::string_view component,
                                               const DrillDownContext& context) const;
  std::vector<bool> CardLines(std::string_view name) const;

 private:
  OddsGroup Group(std::string name, const std::vector<bool>& members) const;

  std::vector<PileLine> lines_;
  std::int64_t size_ = 0;
  std::int64_t topDeck_ = 0;
};

// The two groups as the CLI and the windows ask for them after an analysis
// by `model`: a figure with the model's "Count assets only" switch and cost
// kind, or a card by name. Throw OddsError as FromAnalysis does, and IoError;
// FigureOddsGroup also gives nullopt for a component that opens no list, and
// CardOddsGroup throws OddsError "No Such Card!" for a name that no card of
// the data file has (after the deck's own refusals).
std::optional<OddsGroup> FigureOddsGroup(const DeckAnalysis& analysis, std::string_view component);
OddsGroup CardOddsGroup(const DeckAnalysis& analysis, CardDatabase& db, std::string_view name);

}  // namespace quillet
