#include "core/compare/deck_comparison.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "core/card_data/text_util.h"

namespace quillet {
namespace {

// "Selected Card:" is the chance of the line last clicked in the card list,
// not a figure of the deck, so two decks are never compared on it.
constexpr std::string_view kSelectionField = "SelectCard";

struct CaptionOverride {
  std::string_view field;
  std::string_view caption;
};

constexpr CaptionOverride kCaptions[] = {
    {"AntiTerAmount", "Anti-Terrorism:"},     {"OtherEnhAmount", "Other enhancements:"},
    {"MilBAmount", "Military bases:"},        {"CovBAmount", "Covert bases:"},
    {"CybBAmount", "CyberOps bases:"},        {"OtherBaseAmount", "Bases without production:"},
    {"HighACA", "Highest asset CA:"},         {"HighPCA", "Highest program CA:"},
    {"AveragePCA", "Average program CA:"},    {"TotalMilAmount", "Military production:"},
    {"TotalCovAmount", "Covert production:"}, {"TotalCybAmount", "CyberOps production:"},
    {"MilCost", "Military deployment cost:"}, {"CovCost", "Covert deployment cost:"},
    {"CybCost", "CyberOps deployment cost:"},
};

// The copies of each card of the deck's found lines, by exact name.
std::map<std::string, std::int64_t, std::less<>> CopiesByName(
    const std::vector<TDeckEntry>& entries) {
  std::map<std::string, std::int64_t, std::less<>> copies;
  for (const auto& entry : entries) copies[entry.Name] += entry.Count;
  return copies;
}

}  // namespace

bool CardNameBefore(std::string_view a, std::string_view b) {
  if (SortsAfterIgnoringCase(b, a)) return true;
  if (SortsAfterIgnoringCase(a, b)) return false;
  return a < b;
}

std::vector<CardCopiesChange> CompareCopies(const std::vector<TDeckEntry>& a,
                                            const std::vector<TDeckEntry>& b) {
  const auto inA = CopiesByName(a);
  const auto inB = CopiesByName(b);
  std::vector<CardCopiesChange> changes;
  for (const auto& [name, copies] : inA) {
    const auto other = inB.find(name);
    const std::int64_t copiesB = other == inB.end() ? 0 : other->second;
    if (copies != copiesB) changes.push_back({name, copies, copiesB});
  }
  for (const auto& [name, copies] : inB) {
    if (!inA.contains(name) && copies != 0) changes.push_back({name, 0, copies});
  }
  std::sort(changes.begin(), changes.end(),
            [](const auto& x, const auto& y) { return CardNameBefore(x.Name, y.Name); });
  return changes;
}

std::vector<std::string> ProblemsOnlyIn(const std::vector<std::string>& mine,
                                        const std::vector<std::string>& other) {
  // Each sentence of `other` cancels one occurrence of it in `mine`, the
  // first ones, so what is left is what `mine` holds more often.
  std::unordered_map<std::string_view, std::size_t> cancels;
  for (const auto& sentence : other) ++cancels[sentence];
  std::vector<std::string> only;
  for (const auto& sentence : mine) {
    auto found = cancels.find(sentence);
    if (found != cancels.end() && found->second > 0) {
      --found->second;
      continue;
    }
    only.push_back(sentence);
  }
  return only;
}

std::vector<std::string> DistinctNames(const std::vector<std::string>& names) {
  std::unordered_set<std::string_view> seen;
  std::vector<std::string> distinct;
  for (const auto& name : names) {
    if (seen.insert(name).second) distinct.push_back(name);
  }
  return distinct;
}

std::string_view ComparisonCaption(const MasterField& field) {
  for (const auto& override : kCaptions) {
    if (override.field == field.name) return override.caption;
  }
  return field.caption;
}

DeckComparison CompareDecks(const DeckAnalysis& a, const DeckAnalysis& b) {
  DeckComparison result;
  result.A = a.deckPath;
  result.B = b.deckPath;
  result.Cards = CompareCopies(a.entries, b.entries);
  for (const auto& field : MasterFields()) {
    if (field.name == kSelectionField) continue;
    const std::int32_t valueA = a.FieldValue(field.name);
    const std::int32_t valueB = b.FieldValue(field.name);
    if (valueA != valueB) {
      result.Fields.push_back(
          {field.name, ComparisonCaption(field), field.percentage, valueA, valueB});
    }
  }
  result.ProblemsOnlyA = ProblemsOnlyIn(a.problems, b.problems);
  result.ProblemsOnlyB = ProblemsOnlyIn(b.problems, a.problems);
  result.MissingA = DistinctNames(a.missing);
  result.MissingB = DistinctNames(b.missing);
  return result;
}

}  // namespace quillet
