// The loose form of a card name, for names typed or pasted by hand: case,
// accents, curly quotes, long dashes and odd spaces folded away (Windows-1252
// bytes in, plain bytes out), and the edit distance between two such keys.
// Two names with the same loose key are the same name to a player; a few
// edits apart, a likely typo.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// What one byte folds to: one byte, or two for a ligature, a thorn or a sharp
// s ("ae", "th", "ss").
std::string_view LooseFold(unsigned char byte);

// Every byte folded, runs of spaces made one, spaces at both ends removed.
std::string LooseKey(std::string_view name);

// The optimal string alignment distance: insertions, deletions,
// substitutions and swaps of two adjacent bytes, no byte edited twice.
std::size_t OsaDistance(std::string_view a, std::string_view b);

// The distance when it is at most `limit`, else limit + 1; stops as soon as
// the answer is known to exceed the limit.
std::size_t OsaDistanceWithin(std::string_view a, std::string_view b, std::size_t limit);

// One key measured against many: the key's match table is made once.
class OsaPattern {
 public:
  explicit OsaPattern(std::string_view key);
  const std::string& Key() const { return key_; }
  // As OsaDistanceWithin(Key(), other, limit).
  std::size_t Within(std::string_view other, std::size_t limit) const;

 private:
  std::string key_;
  // Bit i of match_[b]: the key's byte i is b. Used for keys of up to 64
  // bytes, one machine word.
  std::array<std::uint64_t, 256> match_{};
};

}  // namespace quillet
