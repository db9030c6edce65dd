#include "core/card_data/card_record.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/card_data/card_words.h"
#include "core/card_data/text_util.h"

namespace quillet {
namespace {

TEST(CardRecord, EncodesTheFileLayoutLittleEndian) {
  TCardRecord card;
  card.Name.Assign("Bion HQ");
  card.Edition.Assign("Limited");
  card.Rarity = 'R';
  card.CardType = 'H';
  card.Domain = 'M';
  card.TurnsCyb.Assign("**");
  card.Keywords = 0x01020304;
  card.Specials = 0x00010000;
  card.TextStart = 11;
  card.TextEnd = -2;
  const RecordBytes b = EncodeRecord(card);
  EXPECT_EQ(b[0], 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1]), 7), "Bion HQ");
  EXPECT_EQ(b[34], 7);
  EXPECT_EQ(b[46], 'R');
  EXPECT_EQ(b[47], 'H');
  EXPECT_EQ(b[48], 'M');
  EXPECT_EQ(b[94], 2);
  EXPECT_EQ(b[95], '*');
  EXPECT_EQ(b[100], 0x04);
  EXPECT_EQ(b[103], 0x01);
  EXPECT_EQ(b[106], 0x01);
  EXPECT_EQ(b[108], 11);
  EXPECT_EQ(b[112], 0xFE);
  EXPECT_EQ(b[115], 0xFF);

  const TCardRecord back = DecodeRecord(b.data());
  EXPECT_EQ(back.Name.View(), "Bion HQ");
  EXPECT_EQ(back.TurnsCyb.View(), "**");
  EXPECT_EQ(back.Keywords, 0x01020304u);
  EXPECT_EQ(back.TextEnd, -2);
}

TEST(CardRecord, ShortStringsCutToTheirCapacity) {
  TCardRecord card;
  card.Name.Assign("A name that is far longer than thirty-three bytes");
  card.Edition.Assign("Twelve chars");
  EXPECT_EQ(card.Name.View(), "A name that is far longer than th");
  EXPECT_EQ(card.Edition.View(), "Twelve char");
}

TEST(CardRecord, ACorruptLengthByteNeverReadsPastTheCapacity) {
  RecordBytes bytes{};
  bytes[0] = 200;   // Name claims 200 bytes
  bytes[49] = 255;  // HP claims 255
  const TCardRecord card = DecodeRecord(bytes.data());
  EXPECT_EQ(card.Name.View().size(), 33u);
  EXPECT_EQ(card.HP.View().size(), 2u);
}

// The sizes are written out here rather than taken from the header, so a
// change to the layout's constants shows as a failing test.
TEST(CardRecord, CountsWholeRecordsAndPlacesEachAt116Bytes) {
  EXPECT_EQ(WholeRecords(0), 0);
  EXPECT_EQ(WholeRecords(115), 0);
  EXPECT_EQ(WholeRecords(116), 1);
  EXPECT_EQ(WholeRecords(3 * 116 + 115), 3);  // a torn last record is not one
  EXPECT_EQ(WholeRecords(std::int64_t{116} * INT32_MAX + 116), INT32_MAX);
  EXPECT_EQ(RecordOffset(0), 0);
  EXPECT_EQ(RecordOffset(2), 232);
  EXPECT_EQ(RecordOffset(INT32_MAX), std::int64_t{116} * INT32_MAX);  // no 32-bit overflow
}

TEST(CardRecord, HasKeywordIsTrueForAnyKeywordOfTheMask) {
  TCardRecord card;
  card.Keywords = Mask(Keyword::Veteran);
  EXPECT_TRUE(card.HasKeyword(Mask(Keyword::Veteran) | Mask(Keyword::Unique)));
  EXPECT_FALSE(card.HasKeyword(Mask(Keyword::Mech) | Mask(Keyword::Unique)));
  card.Keywords = 0;
  card.Specials = ~0u;  // flags are not keywords
  EXPECT_FALSE(card.HasKeyword(~0u));
}

TEST(CardWords, TablesMatchTheirBits) {
  EXPECT_EQ(kKeywordWords[static_cast<int>(Keyword::Mech)], "Mech.");
  EXPECT_EQ(kKeywordWords[static_cast<int>(Keyword::Yakusa)], "Yakusa");
  EXPECT_EQ(FindKeyword("Topdeck"), 23);
  EXPECT_EQ(FindKeyword("topdeck"), std::nullopt);
  EXPECT_EQ(FindSpecial("$Programuser"), 9);
  EXPECT_EQ(FindSpecial("$ProgramUser"), std::nullopt);
  EXPECT_EQ(kSpecialDisplayWords[9], "$ProgramUser");
  EXPECT_TRUE(IsDomainWord("Inner Circle"));
  EXPECT_FALSE(IsDomainWord("Inner circle"));
  EXPECT_EQ(RarityWord('V'), "Very Rare");
  EXPECT_EQ(RarityWord('X'), std::nullopt);
  EXPECT_EQ(CardTypeWord('I'), "Intervention");
  EXPECT_EQ(DomainWord(' '), "");
  EXPECT_EQ(DomainWord('T'), "Transcendent");
  EXPECT_EQ(DomainWord('Z'), std::nullopt);
}

TEST(TextUtil, LowerCasesOnlyAsciiLettersAndTrimsControlBytes) {
  EXPECT_EQ(LowerAscii("AbZ\xC4["), "abz\xC4[");
  EXPECT_EQ(Trim(std::string_view("\t  a b \x01", 8)), "a b");
  EXPECT_EQ(Trim("   "), "");
}

TEST(TextUtil, EncodesUtf8AsWindows1252) {
  // Every byte survives the way to UTF-8 and back.
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
  }
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");           // no Windows-1252 byte
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");       // nor outside the BMP
  EXPECT_EQ(Utf8ToCp1252("Caf\xE9"), std::nullopt);       // not UTF-8: bytes already
  EXPECT_EQ(Utf8ToCp1252("\xC3"), std::nullopt);          // cut short
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), std::nullopt);      // overlong
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), std::nullopt);  // a surrogate
}

TEST(TextUtil, DecodesWindows1252) {
  EXPECT_EQ(Cp1252ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");  // undefined: same code point
}

}  // namespace
}  // namespace quillet
