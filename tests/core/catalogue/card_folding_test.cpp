#include "core/catalogue/card_folding.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

// The rule as the user reads it, written out case by case: the capital
// letters of Windows-1252 and their small letters.
unsigned char ExpectedFold(int b) {
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b - 'A' + 'a');
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<unsigned char>(b + 0x20);
  switch (b) {
    case 0x8A:  // S caron
      return 0x9A;
    case 0x8C:  // OE
      return 0x9C;
    case 0x8E:  // Z caron
      return 0x9E;
    case 0x9F:  // Y diaeresis
      return 0xFF;
    default:
      return static_cast<unsigned char>(b);
  }
}

TEST(CardFolding, EveryByteFoldsByTheRule) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(FoldByte(static_cast<unsigned char>(b)), ExpectedFold(b)) << "byte " << b;
    all.push_back(static_cast<char>(b));
  }
  const std::string folded = FoldText(all);
  ASSERT_EQ(folded.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(static_cast<unsigned char>(folded[static_cast<std::size_t>(b)]), ExpectedFold(b));
    // Folding twice changes nothing more.
    EXPECT_EQ(FoldByte(FoldByte(static_cast<unsigned char>(b))), ExpectedFold(b));
  }
}

TEST(CardFolding, AccentedCapitalsMeetTheirSmallLetters) {
  EXPECT_EQ(FoldText("S\xC9"
                     "ANCE Broker"),
            FoldText("s\xE9"
                     "ance broker"));
  EXPECT_EQ(FoldText("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
  // The multiplication and division signs are no letters.
  EXPECT_NE(FoldText("\xD7"), FoldText("\xF7"));
}

}  // namespace
}  // namespace quillet
