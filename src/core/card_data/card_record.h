// The card record: everything known about one card apart from its rules
// text, in the fixed 116-byte layout that CardStat.Dat stores back to back.
// The in-memory struct has exactly the file layout (checked below), but it is
// always moved to and from bytes by EncodeRecord/DecodeRecord, which write the
// integers little-endian whatever the host.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/card_data/short_string.h"

namespace quillet {

// The two sizes everything that reads CardStat.Dat without decoding it (the
// index, the name scan, the importer's field reader) must agree on.
inline constexpr std::size_t kRecordSize = 116;
inline constexpr std::size_t kNameWidth = 33;

struct TCardRecord {
  ShortString<kNameWidth> Name;
  ShortString<11> Edition;
  char Rarity = 0;
  char CardType = 0;
  char Domain = 0;
  ShortString<2> HP;
  ShortString<2> Firepower;
  ShortString<2> Armor;
  ShortString<2> Stealth;
  ShortString<2> Perception;
  ShortString<2> CyberAffinity;
  ShortString<2> DeployMil;
  ShortString<2> DeployCov;
  ShortString<2> DeployCyb;
  char AttackMil = 0;
  char AttackCov = 0;
  char AttackCyb = 0;
  char MoveMil = 0;
  char MoveCov = 0;
  char MoveCyb = 0;
  char SearchMil = 0;
  char SearchCov = 0;
  char SearchCyb = 0;
  char ProdMil = 0;
  ShortString<2> TurnsMil;
  char ProdCov = 0;
  ShortString<2> TurnsCov;
  char ProdCyb = 0;
  ShortString<2> TurnsCyb;
  std::uint8_t Padding[3] = {};
  std::uint32_t Keywords = 0;  // bit i: keyword i of the keyword table
  std::uint32_t Specials = 0;  // bit i: "$" flag i of the flag table
  std::int32_t TextStart = 0;  // 1-based position in CardText.Dat, 0 = no text
  std::int32_t TextEnd = 0;    // inclusive

  // True when the card has at least one keyword of `mask`.
  bool HasKeyword(std::uint32_t mask) const { return (Keywords & mask) != 0; }
};

static_assert(sizeof(TCardRecord) == kRecordSize);
static_assert(offsetof(TCardRecord, Name) == 0);
static_assert(offsetof(TCardRecord, Edition) == 1 + kNameWidth);
static_assert(offsetof(TCardRecord, Rarity) == 46);
static_assert(offsetof(TCardRecord, CardType) == 47);
static_assert(offsetof(TCardRecord, Domain) == 48);
static_assert(offsetof(TCardRecord, HP) == 49);
static_assert(offsetof(TCardRecord, Firepower) == 52);
static_assert(offsetof(TCardRecord, Armor) == 55);
static_assert(offsetof(TCardRecord, Stealth) == 58);
static_assert(offsetof(TCardRecord, Perception) == 61);
static_assert(offsetof(TCardRecord, CyberAffinity) == 64);
static_assert(offsetof(TCardRecord, DeployMil) == 67);
static_assert(offsetof(TCardRecord, DeployCov) == 70);
static_assert(offsetof(TCardRecord, DeployCyb) == 73);
static_assert(offsetof(TCardRecord, AttackMil) == 76);
static_assert(offsetof(TCardRecord, MoveMil) == 79);
static_assert(offsetof(TCardRecord, SearchMil) == 82);
static_assert(offsetof(TCardRecord, SearchCyb) == 84);
static_assert(offsetof(TCardRecord, ProdMil) == 85);
static_assert(offsetof(TCardRecord, TurnsMil) == 86);
static_assert(offsetof(TCardRecord, ProdCov) == 89);
static_assert(offsetof(TCardRecord, TurnsCov) == 90);
static_assert(offsetof(TCardRecord, ProdCyb) == 93);
static_assert(offsetof(TCardRecord, TurnsCyb) == 94);
static_assert(offsetof(TCardRecord, Padding) == 97);
static_assert(offsetof(TCardRecord, Keywords) == 100);
static_assert(offsetof(TCardRecord, Specials) == 104);
static_assert(offsetof(TCardRecord, TextStart) == 108);
static_assert(offsetof(TCardRecord, TextEnd) == 112);

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// The whole records in a CardStat.Dat of `bytes` bytes, at most INT32_MAX:
// a torn record at the end is not one.
std::int32_t WholeRecords(std::int64_t bytes);
// Where record `i` starts in CardStat.Dat. File offsets are signed.
inline std::int64_t RecordOffset(std::int32_t i) {
  return std::int64_t{i} * static_cast<std::int64_t>(kRecordSize);
}

// The record as it stands in CardStat.Dat.
RecordBytes EncodeRecord(const TCardRecord& card);
// A record read from CardStat.Dat. Any 116 bytes decode: short-string lengths
// beyond the capacity are kept but never read past the capacity.
TCardRecord DecodeRecord(const std::uint8_t* bytes);

}  // namespace quillet
