// The main window's card list: one line per deck line, "count padded to 5
// blanks, then the name". The lines are what the window and the CLI show; the
// entries beside them keep count and name apart, so a selected line, a copy or
// a saved list never has to parse a line back (a count of six digits would
// run into the name).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_list.h"

namespace quillet {

// The count in decimal, blanks up to a width of 5 (none when the number is
// wider), then the name.
std::string CardListLine(std::int32_t count, std::string_view name);

class CardListContents {
 public:
  void AddCardListLine(std::int32_t count, std::string_view name);
  // The line of a found deck line, which keeps its record beside it.
  void AddCardListLine(const TDeckEntry& entry);
  void Clear();

  const std::vector<std::string>& Lines() const { return lines_; }
  const std::vector<TDeckEntry>& Entries() const { return entries_; }
  bool Empty() const { return lines_.empty(); }
  std::size_t Size() const { return lines_.size(); }

 private:
  std::vector<std::string> lines_;
  std::vector<TDeckEntry> entries_;
};

}  // namespace quillet
