#include "core/card_data/card_record.h"

#include <algorithm>
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

std::int32_t WholeRecords(std::int64_t bytes) {
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(bytes / static_cast<std::int64_t>(kRecordSize), INT32_MAX));
}

RecordBytes EncodeRecord(const TCardRecord& card) {
  RecordBytes out{};
  // Everything before the integers is bytes, identical on every host.
  std::memcpy(out.data(), &card, kIntsAt);
  PutLE32(out.data() + offsetof(TCardRecord, Keywords), card.Keywords);
  PutLE32(out.data() + offsetof(TCardRecord, Specials), card.Specials);
  PutLE32(out.data() + offsetof(TCardRecord, TextStart),
          static_cast<std::uint32_t>(card.TextStart));
  PutLE32(out.data() + offsetof(TCardRecord, TextEnd), static_cast<std::uint32_t>(card.TextEnd));
  return out;
}

TCardRecord DecodeRecord(const std::uint8_t* bytes) {
  TCardRecord card;
  std::memcpy(static_cast<void*>(&card), bytes, kIntsAt);
  card.Keywords = GetLE32(bytes + offsetof(TCardRecord, Keywords));
  card.Specials = GetLE32(bytes + offsetof(TCardRecord, Specials));
  card.TextStart = static_cast<std::int32_t>(GetLE32(bytes + offsetof(TCardRecord, TextStart)));
  card.TextEnd = static_cast<std::int32_t>(GetLE32(bytes + offsetof(TCardRecord, TextEnd)));
  return card;
}

}  // namespace quillet
