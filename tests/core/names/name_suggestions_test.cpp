#include "core/names/name_suggestions.h"
#include "core/names/loose_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quillet {
namespace {

// The fold of every byte, written out group by group; a byte no group names
// must stay as it is.
TEST(LooseNameTest, FoldTableCoversEveryByte) {
  const std::vector<std::pair<std::string, std::string>> groups = {
      {"\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "a"},
      {"\xC6\xE6", "ae"},
      {"\xC7\xE7", "c"},
      {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e"},
      {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "i"},
      {"\xD0\xF0", "d"},
      {"\xD1\xF1", "n"},
      {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "o"},
      {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "u"},
      {"\xDD\xFD\xFF\x9F", "y"},
      {"\xDE\xFE", "th"},
      {"\xDF", "ss"},
      {"\x8A\x9A", "s"},
      {"\x8E\x9E", "z"},
      {"\x8C\x9C", "oe"},
      {"\x91\x92\x60\xB4", "'"},
      {"\x93\x94", "\""},
      {"\x96\x97", "-"},
      {std::string("\t\xA0"), " "},
  };
  std::vector<std::string> expected(256);
  for (int b = 0; b < 256; ++b)
    expected[static_cast<std::size_t>(b)] = std::string(1, static_cast<char>(b));
  for (char c = 'A'; c <= 'Z'; ++c)
    expected[static_cast<std::size_t>(c)] = std::string(1, static_cast<char>(c + 32));
  for (const auto& [bytes, folded] : groups) {
    for (const char b : bytes) expected[static_cast<unsigned char>(b)] = folded;
  }
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(LooseFold(static_cast<unsigned char>(b)), expected[static_cast<std::size_t>(b)])
        << "byte " << b;
  }
}

TEST(LooseNameTest, KeysFoldCollapseAndTrim) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Harness Bull", "harness bull"},
      {"  harness \t\xA0 BULL  ", "harness bull"},
      {"S\xE9"
       "ance Broker",
       "seance broker"},
      {"Hunter\x92s Mark", "hunter's mark"},
      {"\x93Quoted\x94 \x96 Dash", "\"quoted\" - dash"},
      {"\xC6on \xDE\xDF", "aeon thss"},
      {"\t\xA0 ", ""},
      {"", ""},
      {"x\xD7y\xF7", "x\xD7y\xF7"},
  };
  for (const auto& [name, key] : cases) EXPECT_EQ(LooseKey(name), key) << name;
}

// The distance as its definition states it: the whole table, every cell.
std::size_t ModelOsa(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

TEST(LooseNameTest, DistanceMatchesTheModel) {
  // Known answers first: a swap is one edit, but no byte is edited twice.
  EXPECT_EQ(OsaDistance("koan ice", "kaon ice"), 1u);
  EXPECT_EQ(OsaDistance("ca", "abc"), 3u);
  EXPECT_EQ(OsaDistance("", "abc"), 3u);

  std::mt19937 random(7);
  const auto randomText = [&random](std::size_t most) {
    std::string text(std::uniform_int_distribution<std::size_t>(0, most)(random), 'a');
    for (char& c : text) c = "abc d"[std::uniform_int_distribution<int>(0, 4)(random)];
    return text;
  };
  for (int round = 0; round < 4000; ++round) {
    // Long ones as well: past 64 bytes the word-wide form gives way.
    const std::size_t most = round % 10 == 0 ? 80 : 12;
    const std::string a = randomText(most);
    std::string b = round % 2 == 0 ? randomText(most) : a;
    if (round % 2 == 1 && !b.empty()) {
      b[std::uniform_int_distribution<std::size_t>(0, b.size() - 1)(random)] = 'c';
      if (b.size() > 2) std::swap(b[1], b[2]);
    }
    const std::size_t d = ModelOsa(a, b);
    ASSERT_EQ(OsaDistance(a, b), d) << a << " | " << b;
    for (std::size_t limit : {0u, 1u, 2u, 3u, 5u}) {
      ASSERT_EQ(OsaDistanceWithin(a, b, limit), std::min(d, limit + 1))
          << a << " | " << b << " within " << limit;
    }
  }
}

// The suggestions as the rules state them, over every card, every distance
// measured in full.
NameSuggestions ModelSuggest(const std::vector<std::string>& names, const std::string& written) {
  std::vector<std::string> cards;
  for (const std::string& name : names) {
    if (std::find(cards.begin(), cards.end(), name) == cards.end()) cards.push_back(name);
  }
  const std::string key = LooseKey(written);
  NameSuggestions s;
  std::vector<std::string> loose;
  for (const std::string& card : cards) {
    if (LooseKey(card) == key) loose.push_back(card);
  }
  if (!loose.empty()) {
    s.kind = SuggestionKind::Loose;
    s.sure = loose.size() == 1;
    loose.resize(std::min<std::size_t>(loose.size(), 3));
    s.names = loose;
    return s;
  }
  std::vector<std::pair<std::size_t, std::size_t>> near;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    const std::size_t d = ModelOsa(key, LooseKey(cards[i]));
    if (d <= std::max<std::size_t>(1, key.size() / 4)) near.emplace_back(d, i);
  }
  if (near.empty()) return s;
  std::stable_sort(near.begin(), near.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  s.kind = SuggestionKind::Near;
  s.sure = near.size() == 1 || near[1].first != near[0].first;
  for (std::size_t k = 0; k < near.size() && k < 3; ++k) s.names.push_back(cards[near[k].second]);
  return s;
}

TEST(NameSuggestionsTest, IndexAnswersAsTheModel) {
  std::mt19937 random(11);
  const auto randomName = [&random](std::size_t least, std::size_t most) {
    std::string text(std::uniform_int_distribution<std::size_t>(least, most)(random), 'a');
    for (char& c : text)
      c = "abAB e\xE9\xC6t\xFE"[std::uniform_int_distribution<int>(0, 9)(random)];
    return text;
  };
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> names;
    names.reserve(151);
    for (int k = 0; k < 150; ++k) names.push_back(randomName(1, 9));
    names.push_back(names[5]);  // a name two records hold
    const SuggestionIndex index(names);
    for (int q = 0; q < 60; ++q) {
      const std::string written =
          q % 3 == 0 ? names[static_cast<std::size_t>(q)] + " " : randomName(0, 12);
      const NameSuggestions want = ModelSuggest(names, written);
      const NameSuggestions got = index.Suggest(written);
      ASSERT_EQ(got.kind, want.kind) << written;
      ASSERT_EQ(got.names, want.names) << written;
      ASSERT_EQ(got.sure, want.sure) << written;
    }
  }
}

TEST(NameSuggestionsTest, KindsAndSureness) {
  const std::string seance =
      "S\xE9"
      "ance Broker";
  const SuggestionIndex index(
      {"Koan Ice", "Koan Ace", "Harness Bull", seance, "Mirror", "MIRROR", "Koan Ice"});
  struct Case {
    std::string written;
    SuggestionKind kind;
    std::vector<std::string> names;
    bool sure;
  };
  const std::vector<Case> cases = {
      {"harness  bull", SuggestionKind::Loose, {"Harness Bull"}, true},
      {"Seance Broker", SuggestionKind::Loose, {seance}, true},
      // Two cards share the loose key: nothing is sure.
      {"mirror", SuggestionKind::Loose, {"Mirror", "MIRROR"}, false},
      {"Koan Ic", SuggestionKind::Near, {"Koan Ice"}, true},
      // Both one edit away: closest first, then database order; not sure.
      {"Koan Xce", SuggestionKind::Near, {"Koan Ice", "Koan Ace"}, false},
      {"Hraness Bull", SuggestionKind::Near, {"Harness Bull"}, true},
      {"Zzyzx", SuggestionKind::None, {}, false},
  };
  for (const Case& c : cases) {
    const NameSuggestions s = index.Suggest(c.written);
    EXPECT_EQ(s.kind, c.kind) << c.written;
    EXPECT_EQ(s.names, c.names) << c.written;
    EXPECT_EQ(s.sure, c.sure) << c.written;
  }
  EXPECT_EQ(index.Size(), 6u);
  EXPECT_TRUE(index.Has("MIRROR"));
  EXPECT_FALSE(index.Has("mirror"));
}

}  // namespace
}  // namespace quillet
