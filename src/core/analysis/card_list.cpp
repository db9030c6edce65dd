#include "core/analysis/card_list.h"

namespace quillet {

std::string CardListLine(std::int32_t count, std::string_view name) {
  std::string line = std::to_string(count);
  if (line.size() < 5) line.append(5 - line.size(), ' ');
  line.append(name);
  return line;
}

void CardListContents::AddCardListLine(std::int32_t count, std::string_view name) {
  lines_.push_back(CardListLine(count, name));
  entries_.push_back(TDeckEntry{count, std::string(name)});
}

void CardListContents::AddCardListLine(const TDeckEntry& entry) {
  lines_.push_back(CardListLine(entry.Count, entry.Name));
  entries_.push_back(entry);
}

void CardListContents::Clear() {
  lines_.clear();
  entries_.clear();
}

}  // namespace quillet
