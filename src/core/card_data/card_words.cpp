#include "core/card_data/card_words.h"

#include <algorithm>

namespace quillet {

const std::array<std::string_view, kKeywordCount> kKeywordWords = {
    "Alpha",  "AntiTerrorism", "Arctic",      "Command",   "Construct", "Daemon",
    "Debtor", "Direct",        "FirstStrike", "Gear",      "Global",    "Ice",
    "Item",   "Implant",       "Launcher",    "Local",     "Mech.",     "Missile",
    "Pilot",  "Sabotage",      "Spearhead",   "Stimulant", "Structure", "Topdeck",
    "Unique", "Veteran",       "Victory",     "Virus",     "Worm",      "Yakusa"};

const std::array<std::string_view, kSpecialCount> kSpecialListWords = {
    "$AdjOppHand", "$AdjMyHand",  "$AI",       "$Bion",        "$Grom",      "$Lancaster",
    "$Mawson",     "$MobileBase", "$MultiUse", "$Programuser", "$RAF",       "$Rainbow",
    "$Stadtmauer", "$Thalmann",   "$Voodoo",   "$Vostok",      "$WarMachine"};

const std::array<std::string_view, kSpecialCount> kSpecialDisplayWords = {
    "$AdjOppHand", "$AdjMyHand",  "$AI",       "$Bion",        "$Grom",      "$Lancaster",
    "$Mawson",     "$MobileBase", "$MultiUse", "$ProgramUser", "$RAF",       "$Rainbow",
    "$Stadtmauer", "$Thalmann",   "$Voodoo",   "$Vostok",      "$WarMachine"};

const std::array<std::string_view, 7> kDomainWords = {
    "UN", "Corporate", "Monastery", "FUS", "Nonames", "Inner Circle", "Transcendent"};

namespace {

template <std::size_t N>
std::optional<int> IndexOf(const std::array<std::string_view, N>& table, std::string_view word) {
  const auto it = std::find(table.begin(), table.end(), word);
  if (it == table.end()) return std::nullopt;
  return static_cast<int>(it - table.begin());
}

}  // namespace

std::optional<int> FindKeyword(std::string_view word) {
  return IndexOf(kKeywordWords, word);
}
std::optional<int> FindSpecial(std::string_view word) {
  return IndexOf(kSpecialListWords, word);
}
bool IsDomainWord(std::string_view word) {
  return IndexOf(kDomainWords, word).has_value();
}

std::optional<std::string_view> RarityWord(char code) {
  switch (code) {
    case 'C':
      return "Common";
    case 'U':
      return "Uncommon";
    case 'R':
      return "Rare";
    case 'V':
      return "Very Rare";
    default:
      return std::nullopt;
  }
}

std::optional<std::string_view> CardTypeWord(char code) {
  switch (code) {
    case 'A':
      return "Asset";
    case 'B':
      return "Base";
    case 'E':
      return "Enhancement";
    case 'H':
      return "HQ";
    case 'I':
      return "Intervention";
    case 'P':
      return "Program";
    default:
      return std::nullopt;
  }
}

std::optional<std::string_view> DomainWord(char code) {
  switch (code) {
    case ' ':
      return "";
    case 'C':
      return "Corporate";
    case 'F':
      return "FUS";
    case 'I':
      return "Inner Circle";
    case 'M':
      return "Monastery";
    case 'N':
      return "Nonames";
    case 'T':
      return "Transcendent";
    case 'U':
      return "UN";
    default:
      return std::nullopt;
  }
}

}  // namespace quillet
