#include "core/analysis/deck_analysis.h"

#include <utility>

#include "core/analysis/checked_math.h"
#include "core/analysis/deck_counting.h"
#include "core/analysis/deck_problems.h"
#include "core/analysis/hand_chance.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

std::vector<DeckLine> SplitAll(ByteReader& reader) {
  std::vector<DeckLine> lines;
  while (!reader.AtEnd()) lines.push_back(SplitDeckLine(reader));
  return lines;
}

// The counting pass: looks every line up in file order, as the original
// reads and looks up line after line, and counts the cards found.
void CountLines(const std::vector<DeckLine>& lines, const CardView* cards, DeckAnalysis& a) {
  if (!lines.empty()) {
    if (!cards) throw IoError(kFileNotFound);
    a.cardFile = cards->State();
  }
  for (const DeckLine& line : lines) {
    const std::int32_t count = StrToInt(line.countField);
    const LookupAnswer answer = LookUp(*cards, line.name, a.position);
    a.lastRecord = answer.record;
    if (!answer.found) {
      a.missing.push_back(line.name);
      continue;
    }
    TCardRecord card = cards->Card(answer.record);
    CountCard(card, a.stats, count);
    a.entries.push_back(TDeckEntry{count, card.Name.Str(), answer.record, card});
  }
  ApplyHQRules(a.stats);
  CheckedInt32(static_cast<std::int64_t>(a.entries.size()));
}

// What follows the last line: the averages, the opening hand chances, the
// costs of every card (a sum that leaves the 32-bit range makes the deck
// invalid) and the problems.
void Complete(DeckAnalysis& a) {
  TDeckStats& st = a.stats;
  ComputeDerivedValues(st);
  st.NoAssets =
      CheckedInt32(100 - std::int64_t{OpeningHandChance(st.AssetAmount, st.TotalAmount,
                                                        st.TopDeckAssetAmount, st.TopDeckAmount)});
  st.NoBases =
      CheckedInt32(100 - std::int64_t{OpeningHandChance(st.BaseAmount, st.TotalAmount,
                                                        st.TopDeckBaseAmount, st.TopDeckAmount)});
  DeployCosts(st, kAllCardsCostItem);
  a.problems = CheckDeckProblems(st);
}

// The value of a deck that failed: its path, why, the options and the
// lookups as far as they went.
DeckAnalysis Failed(std::string path, std::exception_ptr failure, AnalysisOptions options,
                    LookupPosition position) {
  DeckAnalysis failed;
  failed.deckPath = std::move(path);
  failed.failure = std::move(failure);
  failed.options = std::move(options);
  failed.position = std::move(position);
  return failed;
}

}  // namespace

std::vector<DeckLine> ReadDeckLines(const std::string& path) {
  FileSource file(path);
  ByteReader reader(file);
  return SplitAll(reader);
}

std::vector<DeckLine> DeckLinesOf(std::string_view bytes) {
  MemorySource source(bytes);
  ByteReader reader(source);
  return SplitAll(reader);
}

std::vector<std::string_view> DeckLineNames(const std::vector<DeckLine>& lines) {
  std::vector<std::string_view> names;
  names.reserve(lines.size());
  for (const DeckLine& line : lines) names.push_back(line.name);
  return names;
}

DeckAnalysis AnalyzeDeck(std::string path, const std::vector<DeckLine>& lines,
                         const CardView* cards, const AnalysisOptions& options,
                         LookupPosition start) {
  DeckAnalysis a;
  a.deckPath = std::move(path);
  a.options = options;
  a.position = std::move(start);
  ResetStatistics(a.stats);
  bool counted = false;
  try {
    CountLines(lines, cards, a);
    counted = true;
    Complete(a);
  } catch (...) {
    DeckAnalysis failed =
        Failed(std::move(a.deckPath), std::current_exception(), a.options, std::move(a.position));
    if (counted) failed.missing = std::move(a.missing);
    failed.lastRecord = a.lastRecord;
    a = std::move(failed);
  }
  if (a.lastRecord && cards) a.lastCard = cards->Card(*a.lastRecord);
  return a;
}

DeckAnalysis AnalyzeDeckFile(const std::string& path, CardDatabase& db,
                             const AnalysisOptions& options, LookupPosition start) {
  std::vector<DeckLine> lines;
  std::shared_ptr<const CardView> cards;
  try {
    lines = ReadDeckLines(path);
    // An empty deck reads no card, so it needs no card data.
    if (!lines.empty()) cards = db.View(DeckLineNames(lines));
  } catch (...) {
    return Failed(path, std::current_exception(), options, std::move(start));
  }
  return AnalyzeDeck(path, lines, cards.get(), options, std::move(start));
}

LookupPosition LookupPositionOf(const CardDatabase& db) {
  return {db.LastFoundName, db.LastFoundPos};
}

void ContinueLookups(const DeckAnalysis& analysis, CardDatabase& db) {
  db.LastFoundName = analysis.position.lastFoundName;
  db.LastFoundPos = analysis.position.lastFoundPos;
  if (analysis.lastRecord) {
    db.CurrentCard = analysis.lastCard;
    db.CurrentCardIndex = *analysis.lastRecord + 1;
  }
}

std::int32_t DeckAnalysis::FieldValue(std::string_view component) const {
  if (const DomainField* domain = FindDomainField(component)) {
    return stats.*(options.assetsOnly ? domain->assets : domain->all);
  }
  for (std::size_t i = 0; i < kCostFields.size(); ++i) {
    if (kCostFields[i] == component) return DeployCosts(stats, options.costKind)[i];
  }
  const std::int32_t* stat = FindStat(stats, component);
  return stat ? *stat : 0;
}

std::vector<std::string> DeckAnalysis::CostKindItems() const {
  std::vector<std::string> items;
  for (std::string_view item : CostKinds()) {
    const CostKind* kind = FindCostKind(item);
    if (!kind->amount || stats.*kind->amount > 0) items.emplace_back(item);
  }
  return items;
}

DeckAnalysis DeckAnalysis::WithOptions(AnalysisOptions newOptions) const {
  DeckAnalysis copy = *this;
  copy.options = std::move(newOptions);
  return copy;
}

const AnalysisPtr& NoAnalysis() {
  static const AnalysisPtr none = [] {
    auto empty = std::make_shared<DeckAnalysis>();
    ResetStatistics(empty->stats);
    return empty;
  }();
  return none;
}

}  // namespace quillet
