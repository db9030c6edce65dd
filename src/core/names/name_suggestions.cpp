#include "core/names/name_suggestions.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "core/card_data/card_index.h"
#include "core/names/loose_name.h"

namespace quillet {

std::string_view SuggestionKindWord(SuggestionKind kind) {
  switch (kind) {
    case SuggestionKind::Loose:
      return "loose";
    case SuggestionKind::Near:
      return "near";
    case SuggestionKind::None:
      break;
  }
  return "none";
}

std::size_t NearLimit(std::size_t keyLength) {
  return std::max<std::size_t>(1, keyLength / 4);
}

SuggestionIndex::SuggestionIndex(const std::vector<std::string>& names) {
  for (const std::string& name : names) Add(name);
}

SuggestionIndex::SuggestionIndex(const CardIndex& cards) {
  for (std::int32_t i = 0; i < cards.Count(); ++i) Add(std::string(StoredName(cards.Record(i))));
}

void SuggestionIndex::Add(std::string name) {
  if (byName_.contains(name)) return;
  const auto card = static_cast<std::uint32_t>(names_.size());
  std::string key = LooseKey(name);
  byName_.emplace(name, card);
  if (byLength_.size() <= key.size()) byLength_.resize(key.size() + 1);
  byLength_[key.size()].push_back(card);
  byKey_[key].push_back(card);
  names_.push_back(std::move(name));
  keys_.push_back(std::move(key));
}

std::shared_ptr<const SuggestionIndex> SuggestionIndex::Shared(const std::string& path) {
  // The card index answers for the file's state; this index follows it, so
  // both are rebuilt together and never disagree.
  const std::shared_ptr<const CardIndex> cards = CardIndex::Shared(path);
  struct Built {
    std::weak_ptr<const CardIndex> from;
    std::shared_ptr<const SuggestionIndex> index;
  };
  static std::mutex mutex;
  static std::map<std::string, Built> byPath;
  const std::lock_guard lock(mutex);
  Built& built = byPath[path];
  if (!built.index || built.from.lock() != cards) {
    built.index.reset();
    built.index = std::make_shared<const SuggestionIndex>(*cards);
    built.from = cards;
  }
  return built.index;
}

bool SuggestionIndex::Has(std::string_view name) const {
  return byName_.find(name) != byName_.end();
}

NameSuggestions SuggestionIndex::Suggest(std::string_view written) const {
  NameSuggestions result;
  const std::string key = LooseKey(written);
  if (const auto loose = byKey_.find(key); loose != byKey_.end()) {
    result.kind = SuggestionKind::Loose;
    result.sure = loose->second.size() == 1;
    for (const std::uint32_t card : loose->second) {
      if (result.names.size() == kMaxSuggestions) break;
      result.names.push_back(names_[card]);
    }
    return result;
  }
  const std::size_t limit = NearLimit(key.size());
  // (distance, card): sorting them gives distance, then database order.
  std::vector<std::pair<std::size_t, std::uint32_t>> near;
  const std::size_t shortest = key.size() > limit ? key.size() - limit : 0;
  const std::size_t longest =
      std::min(key.size() + limit, byLength_.empty() ? 0 : byLength_.size() - 1);
  for (std::size_t length = shortest; length <= longest && length < byLength_.size(); ++length) {
    for (const std::uint32_t card : byLength_[length]) {
      const std::size_t d = OsaDistanceWithin(key, keys_[card], limit);
      if (d <= limit) near.emplace_back(d, card);
    }
  }
  if (near.empty()) return result;
  std::sort(near.begin(), near.end());
  result.kind = SuggestionKind::Near;
  result.sure = near.size() == 1 || near[1].first > near[0].first;
  for (std::size_t k = 0; k < near.size() && k < kMaxSuggestions; ++k) {
    result.names.push_back(names_[near[k].second]);
  }
  return result;
}

}  // namespace quillet
