// The words of the card codes and sets: keywords, "$" flags, rarities, card
// types and domains. The card list import matches the card list spellings;
// the reader shows the display words. An unknown code has no word.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillet {

// Keyword bits, in the order of the keyword set (bit 0 Alpha .. bit 29 Yakusa).
enum class Keyword : int {
  Alpha,
  AntiTerrorism,
  Arctic,
  Command,
  Construct,
  Daemon,
  Debtor,
  Direct,
  FirstStrike,
  Gear,
  Global,
  Ice,
  Item,
  Implant,
  Launcher,
  Local,
  Mech,
  Missile,
  Pilot,
  Sabotage,
  Spearhead,
  Stimulant,
  Structure,
  Topdeck,
  Unique,
  Veteran,
  Victory,
  Virus,
  Worm,
  Yakusa
};
inline constexpr int kKeywordCount = 30;
inline constexpr int kSpecialCount = 17;

constexpr std::uint32_t Mask(Keyword k) {
  return std::uint32_t{1} << static_cast<int>(k);
}

// The keyword's spelling, in the card list and on screen alike.
extern const std::array<std::string_view, kKeywordCount> kKeywordWords;
// "$" flags as the card list spells them, and as the reader shows them.
extern const std::array<std::string_view, kSpecialCount> kSpecialListWords;
extern const std::array<std::string_view, kSpecialCount> kSpecialDisplayWords;

// The seven domain words of the keyword field; a domain's code is its first
// character.
extern const std::array<std::string_view, 7> kDomainWords;

std::optional<int> FindKeyword(std::string_view word);
std::optional<int> FindSpecial(std::string_view word);
bool IsDomainWord(std::string_view word);

// Words for codes; nullopt when the code has none.
std::optional<std::string_view> RarityWord(char code);
std::optional<std::string_view> CardTypeWord(char code);
// A blank domain has the empty word.
std::optional<std::string_view> DomainWord(char code);

}  // namespace quillet
