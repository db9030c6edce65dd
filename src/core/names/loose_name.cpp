#include "core/names/loose_name.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace quillet {
namespace {

// Up to two bytes per byte value; a byte that stays is its own fold.
struct Folded {
  char bytes[2] = {};
  std::uint8_t size = 0;
};

struct FoldTable {
  std::array<Folded, 256> to{};

  constexpr FoldTable() {
    for (std::size_t b = 0; b < 256; ++b) to[b] = Folded{{static_cast<char>(b), 0}, 1};
    for (std::size_t b = 'A'; b <= 'Z'; ++b) to[b].bytes[0] = static_cast<char>(b + 32);
    // 0xD7 and 0xF7, the multiplication and division signs, stay.
    Set("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "a");
    Set("\xC6\xE6", "ae");
    Set("\xC7\xE7", "c");
    Set("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e");
    Set("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "i");
    Set("\xD0\xF0", "d");
    Set("\xD1\xF1", "n");
    Set("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "o");
    Set("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "u");
    Set("\xDD\xFD\xFF\x9F", "y");
    Set("\xDE\xFE", "th");
    Set("\xDF", "ss");
    Set("\x8A\x9A", "s");
    Set("\x8E\x9E", "z");
    Set("\x8C\x9C", "oe");
    Set("\x91\x92\x60\xB4", "'");
    Set("\x93\x94", "\"");
    Set("\x96\x97", "-");
    Set("\x09\xA0", " ");
  }

  constexpr void Set(std::string_view bytes, std::string_view folded) {
    for (const char b : bytes) {
      Folded& f = to[static_cast<unsigned char>(b)];
      f.size = static_cast<std::uint8_t>(folded.size());
      for (std::size_t k = 0; k < folded.size(); ++k) f.bytes[k] = folded[k];
    }
  }
};

constexpr FoldTable kFold;

// The banded dynamic programme, for keys too long for one machine word.
// Cells further than `limit` off the diagonal are capped at limit + 1, which
// changes no answer within the limit.
std::size_t BandedOsa(std::string_view a, std::string_view b, std::size_t limit) {
  const std::size_t cap = limit + 1;
  const std::size_t n = b.size();
  std::vector<std::size_t> twoUp(n + 1, cap);
  std::vector<std::size_t> up(n + 1);
  std::vector<std::size_t> row(n + 1);
  for (std::size_t j = 0; j <= n; ++j) up[j] = std::min(j, cap);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = std::min(i, cap);
    std::size_t best = row[0];
    const std::size_t from = i > limit ? i - limit : 1;
    const std::size_t to = std::min(n, i + limit);
    for (std::size_t j = 1; j < from; ++j) row[j] = cap;
    for (std::size_t j = from; j <= to; ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      std::size_t d = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d = std::min(d, twoUp[j - 2] + 1);
      }
      row[j] = std::min(d, cap);
      best = std::min(best, row[j]);
    }
    for (std::size_t j = to + 1; j <= n; ++j) row[j] = cap;
    // A row's smallest cell never falls in the rows below it.
    if (best > limit) return cap;
    std::swap(twoUp, up);
    std::swap(up, row);
  }
  return std::min(up[n], cap);
}

}  // namespace

std::string_view LooseFold(unsigned char byte) {
  const Folded& f = kFold.to[byte];
  return {f.bytes, f.size};
}

std::string LooseKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  for (const char c : name) {
    for (const char f : LooseFold(static_cast<unsigned char>(c))) {
      if (f == ' ' && (key.empty() || key.back() == ' ')) continue;
      key += f;
    }
  }
  if (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

std::size_t OsaDistance(std::string_view a, std::string_view b) {
  return OsaDistanceWithin(a, b, std::max(a.size(), b.size()));
}

std::size_t OsaDistanceWithin(std::string_view a, std::string_view b, std::size_t limit) {
  return OsaPattern(a).Within(b, limit);
}

OsaPattern::OsaPattern(std::string_view key) : key_(key) {
  if (key_.size() > 64) return;
  for (std::size_t i = 0; i < key_.size(); ++i) {
    match_[static_cast<unsigned char>(key_[i])] |= std::uint64_t{1} << i;
  }
}

std::size_t OsaPattern::Within(std::string_view other, std::size_t limit) const {
  const std::string_view key = key_;
  const std::size_t apart =
      key.size() > other.size() ? key.size() - other.size() : other.size() - key.size();
  if (apart > limit) return limit + 1;
  if (key.empty() || other.empty()) return std::min(key.size() + other.size(), limit + 1);
  if (key.size() > 64) return BandedOsa(key, other, limit);
  // Hyyro's bit-parallel form: one machine word holds a column of the
  // table as vertical deltas, and the swap of two bytes is carried over
  // from the previous column's matches.
  const std::uint64_t last = std::uint64_t{1} << (key.size() - 1);
  std::uint64_t vp = ~std::uint64_t{0};
  std::uint64_t vn = 0;
  std::uint64_t d0 = 0;
  std::uint64_t previous = 0;
  std::size_t distance = key.size();
  for (std::size_t j = 0; j < other.size(); ++j) {
    const std::uint64_t pm = match_[static_cast<unsigned char>(other[j])];
    const std::uint64_t swapped = (((~d0) & pm) << 1) & previous;
    d0 = (((pm & vp) + vp) ^ vp) | pm | vn | swapped;
    std::uint64_t hp = vn | ~(d0 | vp);
    std::uint64_t hn = d0 & vp;
    if ((hp & last) != 0) ++distance;
    if ((hn & last) != 0) --distance;
    // Each byte left can lower the distance by one at most.
    if (distance > limit + (other.size() - j - 1)) return limit + 1;
    hp = (hp << 1) | 1;
    hn <<= 1;
    vp = hn | ~(d0 | hp);
    vn = hp & d0;
    previous = pm;
  }
  return std::min(distance, limit + 1);
}

}  // namespace quillet
