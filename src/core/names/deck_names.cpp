#include "core/names/deck_names.h"

#include "core/card_data/str_to_int.h"
#include "core/deck_edit/deck_editor.h"

namespace quillet {

std::vector<UnfoundLine> UnfoundDeckLines(std::string_view deck, const SuggestionIndex& cards) {
  std::vector<UnfoundLine> unfound;
  const std::vector<DeckLineSpan> lines = SplitDeckLines(deck);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const DeckLineSpan& line = lines[i];
    // The reader stops at the first count it cannot read.
    StrToInt(deck.substr(line.begin, line.countEnd - line.begin));
    const std::string_view name = deck.substr(line.nameBegin, line.nameEnd - line.nameBegin);
    if (cards.Has(name)) continue;
    unfound.push_back(UnfoundLine{i + 1, std::string(name), cards.Suggest(name)});
  }
  return unfound;
}

std::vector<NameFix> SureFixes(const std::vector<UnfoundLine>& lines) {
  std::vector<NameFix> fixes;
  for (const UnfoundLine& line : lines) {
    if (line.suggestions.sure) fixes.push_back(NameFix{line.line, line.suggestions.names.front()});
  }
  return fixes;
}

NameFixReport FixSureNames(DeckEditor& editor, const SuggestionIndex& cards, bool apply) {
  NameFixReport report;
  report.before = UnfoundDeckLines(editor.Bytes(), cards);
  report.stillUnfound = report.before.size();
  if (!apply) return report;
  const std::vector<NameFix> fixes = SureFixes(report.before);
  editor.FixNames(fixes);
  report.applied = fixes.size();
  report.stillUnfound -= fixes.size();
  return report;
}

}  // namespace quillet
