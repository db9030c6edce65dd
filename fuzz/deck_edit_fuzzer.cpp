// Any deck bytes with a run of +N/-N edits on names drawn from the deck
// itself (or a name it lacks): every edit either is refused, leaving nothing
// changed, or changes exactly the edited line. The lines are re-read after
// each edit: every other line keeps its bytes and order, and the edited
// line's count reads back as the old count plus the change (or the line is
// gone, or appended as the last line).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/str_to_int.h"
#include "core/deck_edit/deck_edit.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

namespace {

using namespace quillet;

std::vector<std::string> LineBytes(std::string_view deck) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  for (const DeckLineSpan& span : SplitDeckLines(deck)) {
    Check(span.begin == pos && span.begin <= span.countEnd && span.countEnd <= span.nameBegin &&
          span.nameBegin <= span.nameEnd && span.nameEnd <= span.end && span.end <= deck.size());
    Check(span.end > span.begin);
    lines.emplace_back(deck.substr(span.begin, span.end - span.begin));
    pos = span.end;
  }
  Check(pos == deck.size());
  return lines;
}

void EditOnce(std::string& deck, std::uint8_t pickName, std::int8_t change) {
  const std::vector<DeckLineSpan> spans = SplitDeckLines(deck);
  std::string name = "Nowhere Card";
  if (!spans.empty() && pickName % 4 != 0) {
    const DeckLineSpan& s = spans[pickName % spans.size()];
    name = deck.substr(s.nameBegin, s.nameEnd - s.nameBegin);
  }
  const std::int32_t delta = change == 0 ? 1 : change;

  std::string after;
  try {
    after = EditDeckBytes(deck, name, delta);
  } catch (const DeckEditError&) {
    return;  // refused: the caller's bytes were never touched
  }
  bool valid = true;
  std::optional<std::size_t> first;
  std::vector<std::int32_t> counts;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const auto count = TryStrToInt(
        std::string_view(deck).substr(spans[i].begin, spans[i].countEnd - spans[i].begin));
    valid = valid && count.has_value();
    counts.push_back(count.value_or(0));
    if (!first && std::string_view(deck).substr(spans[i].nameBegin,
                                                spans[i].nameEnd - spans[i].nameBegin) == name) {
      first = i;
    }
  }
  Check(valid);
  const std::vector<std::string> before = LineBytes(deck);
  const std::vector<std::string> now = LineBytes(after);
  if (!first) {
    Check(delta > 0);
    Check(now.size() == before.size() + 1);
    for (std::size_t i = 0; i + 1 < before.size(); ++i) Check(now[i] == before[i]);
    if (!before.empty()) {
      const std::string& last = before.back();
      Check(now[before.size() - 1] == last || now[before.size() - 1] == last + "\r\n");
    }
    Check(now.back() == std::to_string(delta) + "\t" + name + "\r\n");
  } else {
    const std::int64_t next = std::int64_t{counts[*first]} + delta;
    Check(counts[*first] >= 0);
    const std::size_t removed = next <= 0 ? 1 : 0;
    Check(now.size() == before.size() - removed);
    for (std::size_t i = 0, j = 0; i < before.size(); ++i) {
      if (i == *first) {
        if (!removed) {
          const auto spansNow = SplitDeckLines(after);
          const DeckLineSpan& s = spansNow[j];
          Check(std::string_view(after).substr(s.begin, s.countEnd - s.begin) ==
                std::to_string(next));
          Check(std::string_view(after).substr(s.countEnd, s.end - s.countEnd) ==
                std::string_view(deck).substr(spans[i].countEnd, spans[i].end - spans[i].countEnd));
          ++j;
        }
        continue;
      }
      Check(now[j] == before[i]);
      ++j;
    }
  }
  // What the first line of the name holds now: the new count, or, once the
  // edited line is gone, whatever a later line of the same name held (a
  // deck may hold a name twice, and that line may be negative).
  std::int64_t firstNow = delta;
  if (first) {
    firstNow = std::int64_t{counts[*first]} + delta;
    if (firstNow <= 0) {
      firstNow = 0;
      for (std::size_t i = *first + 1; i < spans.size(); ++i) {
        if (std::string_view(deck).substr(spans[i].nameBegin,
                                          spans[i].nameEnd - spans[i].nameBegin) == name) {
          firstNow = counts[i];
          break;
        }
      }
    }
  }
  Check(FirstLineCount(after, name) == firstNow);
  deck = std::move(after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first bytes are up to four edits (a name choice and a change each);
  // the rest is the deck.
  const std::size_t edits = size > 0 ? data[0] % 5 : 0;
  const std::size_t head = 1 + 2 * edits;
  if (size < head) return 0;
  std::string deck(reinterpret_cast<const char*>(data + head), size - head);
  for (std::size_t e = 0; e < edits; ++e) {
    EditOnce(deck, data[1 + 2 * e], static_cast<std::int8_t>(data[2 + 2 * e]));
  }
  return 0;
}
