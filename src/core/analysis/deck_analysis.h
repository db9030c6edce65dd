// The analysis of one deck as a value. AnalyzeDeck reads a deck's lines
// against one view of the card data and returns everything the windows and
// the command line show of it: the lines with the records found, the
// statistics, the problems, the names not found and the state of the card
// file it read. It takes everything it needs as arguments and touches
// nothing else, so analyses run on any thread, side by side, and never see
// each other.
//
// The lookup cache of the original program stays: a lookup starts where the
// last one ended. Where the analysis starts is an argument and where it
// ended part of the value, so the window chains one analysis onto the
// lookups before it, and a batch starts every deck afresh as a new process
// does.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_list.h"
#include "core/analysis/deck_stats.h"
#include "core/analysis/figure_choices.h"
#include "core/card_data/card_database.h"
#include "core/card_data/card_view.h"

namespace quillet {

// What the player chose over the figures: the domain counts of assets only,
// and the kind of card the deployment costs add up.
struct AnalysisOptions {
  bool assetsOnly = false;
  std::string costKind = std::string(kAllCardsCostItem);
  bool operator==(const AnalysisOptions&) const = default;
};

struct DeckAnalysis {
  // The deck file analysed; empty for the value of no deck.
  std::string deckPath;
  // Why the deck is not valid (an invalid count, a card field that holds no
  // number where a rule needs one, a figure leaving the 32-bit range, an
  // IoError): null for a valid deck. A deck that failed holds nothing but
  // `missing`, when its last line was read before it failed, and the lookup
  // position, as far as the lookups went.
  std::exception_ptr failure;
  // The lines whose card was found, in file order, each with its record.
  std::vector<TDeckEntry> entries;
  // The names of the lines whose card was not found, in file order.
  std::vector<std::string> missing;
  // Counted, with the averages and the opening hand chances.
  TDeckStats stats;
  std::vector<std::string> problems;
  // CardStat.Dat as the records of `entries` were found in it; none when
  // the deck has no line and so read no card.
  std::optional<CardFileState> cardFile;
  AnalysisOptions options;
  // The cache after the last lookup, and the working card it left: the
  // record read last, found or not (none when no line was looked up).
  LookupPosition position;
  std::optional<std::int32_t> lastRecord;
  TCardRecord lastCard{};

  // Whether this is a valid deck's analysis (and not the value of none).
  bool Valid() const { return !deckPath.empty() && !failure; }
  // The figure the main window shows for `component` under `options`: the
  // domain counts follow assetsOnly and the three costs the cost kind. The
  // selected card's chance belongs to a window's pick and is 0 here.
  std::int32_t FieldValue(std::string_view component) const;
  // The cost kinds the deck has cards of, "All cards" last.
  std::vector<std::string> CostKindItems() const;
  // The same analysis under other options.
  DeckAnalysis WithOptions(AnalysisOptions newOptions) const;
};

// The deck file's lines, split off without reading a card. Throws IoError
// when the file cannot be read.
std::vector<DeckLine> ReadDeckLines(const std::string& path);
std::vector<DeckLine> DeckLinesOf(std::string_view bytes);
// The names the lines look up, for a view of just those (NamesView).
std::vector<std::string_view> DeckLineNames(const std::vector<DeckLine>& lines);

// Analyses `lines` of the deck at `path` against `cards`, starting lookups
// at `start`. `cards` may be null only when there is no line. Never throws
// for what the deck or the card data hold: a failure is part of the value.
DeckAnalysis AnalyzeDeck(std::string path, const std::vector<DeckLine>& lines,
                         const CardView* cards, const AnalysisOptions& options = {},
                         LookupPosition start = {});

// Reads the deck file at `path` and analyses it against the card data of
// `db` as it is now (the shared index when `db` keeps one, else one pass for
// the deck's names). Every failure, of the deck file or of the card data,
// is the value's `failure`.
DeckAnalysis AnalyzeDeckFile(const std::string& path, CardDatabase& db,
                             const AnalysisOptions& options = {}, LookupPosition start = {});

// Where the lookups of `db` stand now, for an analysis to start from.
LookupPosition LookupPositionOf(const CardDatabase& db);
// Moves `db`'s lookup cache and working card on to where `analysis` left
// them, so that later lookups continue from the analysis as they would after
// reading the deck with `db` itself.
void ContinueLookups(const DeckAnalysis& analysis, CardDatabase& db);

// The analysis as a shared, immutable value; the empty one when none.
using AnalysisPtr = std::shared_ptr<const DeckAnalysis>;
const AnalysisPtr& NoAnalysis();

}  // namespace quillet
