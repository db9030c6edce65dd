#include "core/card_data/card_record.h"

#include <cstring>

namespace quillet {
namespace {

void PutLE32(std::uint8_t* out, std::uint32_t v) {
  out[0] = static_cast<std::uint8_t>(v);
  out[1] = static_cast<std::uint8_t>(v >> 8);
  out[2] = static_cast<std::uint8_t>(v >> 16);
  out[3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint32_t GetLE32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
         static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

constexpr std::size_t kIntsAt = offsetof(TCardRecord, Keywords);

}  // namespace

RecordBytes EncodeRecord(const TCardRecord& card) {
  RecordBytes out{};
  // Everything before the integers is bytes, identical on every host.
  std::memcpy(out.data(), &card, kIntsAt);
  PutLE32(out.data() + 100, card.Keywords);
  PutLE32(out.data() + 104, card.Specials);
  PutLE32(out.data() + 108, static_cast<std::uint32_t>(card.TextStart));
  PutLE32(out.data() + 112, static_cast<std::uint32_t>(card.TextEnd));
  return out;
}

TCardRecord DecodeRecord(const std::uint8_t* bytes) {
  TCardRecord card;
  std::memcpy(static_cast<void*>(&card), bytes, kIntsAt);
  card.Keywords = GetLE32(bytes + 100);
  card.Specials = GetLE32(bytes + 104);
  card.TextStart = static_cast<std::int32_t>(GetLE32(bytes + 108));
  card.TextEnd = static_cast<std::int32_t>(GetLE32(bytes + 112));
  return card;
}

}  // namespace quillet
