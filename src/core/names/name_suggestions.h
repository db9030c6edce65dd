// Suggestions for a name that no card has exactly: the cards with the same
// loose key ("loose"), else the cards a few edits away ("near"), else none.
// At most three, as cards (a name several records hold counts once, at its
// first record), in database order, near ones closest first.
//
// A SuggestionIndex holds one state of the card database: every distinct
// name in database order, its loose key, the keys hashed for the loose
// matches and grouped by length, so a near search only measures keys whose
// length can be close enough, and each key's byte counts, so it skips the
// keys whose bytes differ from the name's in more places than the edits
// allowed could mend. It is built once per state of CardStat.Dat
// and shared, like the card index it is built from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillet {

class CardIndex;

enum class SuggestionKind { Loose, Near, None };

// "loose", "near", "none": the words the JSON and the windows show.
std::string_view SuggestionKindWord(SuggestionKind kind);

inline constexpr std::size_t kMaxSuggestions = 3;

struct NameSuggestions {
  SuggestionKind kind = SuggestionKind::None;
  std::vector<std::string> names;  // the cards' names, at most kMaxSuggestions
  // Only a sure suggestion is applied without asking: a single loose match,
  // or a single card at the smallest distance.
  bool sure = false;
};

// The edits a near match may be away: max(1, key length / 4).
std::size_t NearLimit(std::size_t keyLength);

class SuggestionIndex {
 public:
  // `names` in database order; a name's later records are dropped.
  explicit SuggestionIndex(const std::vector<std::string>& names);
  // Every record's name of the card index, in its order.
  explicit SuggestionIndex(const CardIndex& cards);

  // The index of CardStat.Dat at `path` as it is now, built once per state
  // of the file and shared by later callers. Throws IoError.
  static std::shared_ptr<const SuggestionIndex> Shared(const std::string& path);

  std::size_t Size() const { return names_.size(); }
  const std::string& Name(std::size_t card) const { return names_[card]; }
  // Whether a card is named exactly `name`.
  bool Has(std::string_view name) const;
  // The suggestions for `written` (bytes as the deck holds them). A name
  // some card has exactly is not looked at by callers; asked anyway, it is
  // its own loose match.
  NameSuggestions Suggest(std::string_view written) const;

 private:
  void Add(std::string name);

  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      return std::hash<std::string_view>{}(s);
    }
  };
  std::vector<std::string> names_;
  std::vector<std::string> keys_;
  // Per key, how many of its bytes fall in each of 64 classes (capped), and
  // which classes it has at all; see ByteCounts in the source.
  std::vector<std::array<std::uint8_t, 64>> counts_;
  std::vector<std::uint64_t> classes_;
  std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> byName_;
  // Each loose key's cards, in database order.
  std::unordered_map<std::string, std::vector<std::uint32_t>, Hash, std::equal_to<>> byKey_;
  // The cards by the length of their loose key, in database order.
  std::vector<std::vector<std::uint32_t>> byLength_;
};

}  // namespace quillet
