#include "core/names/name_suggestions.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "core/card_data/card_index.h"
#include "core/names/loose_name.h"

namespace quillet {
namespace {

using ByteCounts = std::array<std::uint8_t, 64>;

// The classes bytes are counted in: each letter, each digit, the space and
// a few signs on their own, the rest shared. Sharing a class only lowers
// the bound below, so it stays a bound.
constexpr std::array<std::uint8_t, 256> kByteClass = [] {
  std::array<std::uint8_t, 256> classes{};
  for (std::size_t b = 0; b < 256; ++b) classes[b] = static_cast<std::uint8_t>(40 + b % 24);
  for (std::size_t b = 'a'; b <= 'z'; ++b) classes[b] = static_cast<std::uint8_t>(b - 'a');
  for (std::size_t b = '0'; b <= '9'; ++b) classes[b] = static_cast<std::uint8_t>(26 + b - '0');
  classes[' '] = 36;
  classes['\''] = 37;
  classes['-'] = 38;
  classes[','] = 39;
  return classes;
}();

ByteCounts CountBytes(std::string_view key) {
  ByteCounts counts{};
  for (const char c : key) {
    std::uint8_t& n = counts[kByteClass[static_cast<unsigned char>(c)]];
    if (n < 255) ++n;
  }
  return counts;
}

// A lower bound of the edit distance: an insertion, a deletion or a
// substitution changes one count up or one down (or both), a swap none, so
// no fewer edits than the larger of the surplus on either side.
std::size_t CountsApart(const ByteCounts& a, const ByteCounts& b) {
  unsigned more = 0;
  unsigned fewer = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    more += a[i] > b[i] ? static_cast<unsigned>(a[i] - b[i]) : 0u;
    fewer += b[i] > a[i] ? static_cast<unsigned>(b[i] - a[i]) : 0u;
  }
  return std::max(more, fewer);
}

std::uint64_t ClassesOf(const ByteCounts& counts) {
  std::uint64_t classes = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] != 0) classes |= std::uint64_t{1} << i;
  }
  return classes;
}

// Bits set, by halves, nibbles and bytes: without a target that has the
// instruction, std::popcount is a library call, and this runs for every
// card of a near search.
std::size_t BitsSet(std::uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555u;
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<std::size_t>((x * 0x0101010101010101u) >> 56);
}

// The quick form of the bound: each class one side has and the other lacks
// takes an edit.
std::size_t ClassesApart(std::uint64_t a, std::uint64_t b) {
  return std::max(BitsSet(a & ~b), BitsSet(b & ~a));
}

}  // namespace

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
  counts_.push_back(CountBytes(key));
  classes_.push_back(ClassesOf(counts_.back()));
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
  const OsaPattern pattern(key);
  const ByteCounts counts = CountBytes(key);
  const std::uint64_t classes = ClassesOf(counts);
  // (distance, card): sorting them gives distance, then database order.
  std::vector<std::pair<std::size_t, std::uint32_t>> near;
  const std::size_t shortest = key.size() > limit ? key.size() - limit : 0;
  const std::size_t longest =
      std::min(key.size() + limit, byLength_.empty() ? 0 : byLength_.size() - 1);
  for (std::size_t length = shortest; length <= longest && length < byLength_.size(); ++length) {
    for (const std::uint32_t card : byLength_[length]) {
      if (ClassesApart(classes, classes_[card]) > limit) continue;
      if (CountsApart(counts, counts_[card]) > limit) continue;
      const std::size_t d = pattern.Within(keys_[card], limit);
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
