#include "core/card_data/str_to_int.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

struct Valid {
  std::string text;
  std::int32_t value;
};

class IntegerRuleAccepts : public ::testing::TestWithParam<Valid> {};

TEST_P(IntegerRuleAccepts, Reads) {
  EXPECT_EQ(StrToInt(GetParam().text), GetParam().value);
  EXPECT_EQ(TryStrToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerRuleAccepts,
                         ::testing::Values(Valid{"4", 4}, Valid{" 4", 4}, Valid{"   4", 4},
                                           Valid{"+4", 4}, Valid{"-4", -4}, Valid{"0", 0},
                                           Valid{"-0", 0}, Valid{"0004", 4}, Valid{"$A", 10},
                                           Valid{"$a", 10}, Valid{"xFF", 255}, Valid{"X10", 16},
                                           Valid{"0x1f", 31}, Valid{"-$A", -10}, Valid{"+0x10", 16},
                                           Valid{"2147483647", 2147483647},
                                           Valid{"-2147483648", INT32_MIN},
                                           Valid{"$7FFFFFFF", INT32_MAX}, Valid{"$FFFFFFFF", -1},
                                           Valid{"$80000000", INT32_MIN}, Valid{"-$FFFFFFFF", 1},
                                           Valid{"$000000000001", 1}));

class IntegerRuleRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(IntegerRuleRejects, FailsWithTheUsersMessage) {
  const std::string& text = GetParam();
  EXPECT_FALSE(TryStrToInt(text).has_value());
  try {
    StrToInt(text);
    FAIL() << "accepted '" << text << "'";
  } catch (const ConvertError& error) {
    EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
  }
}

TEST(IntegerRuleMessage, ShowsBytesThatCannotBeShownEscapedAndNeverCutsTheMessage) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string("1\0x", 3), "'1\\x00x' is not a valid integer value"},
      {"\x01\x1B[2J\x7F", "'\\x01\\x1B[2J\\x7F' is not a valid integer value"},
  };
  for (const auto& [text, message] : cases) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted";
    } catch (const ConvertError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerRuleRejects,
                         ::testing::Values("", " ", "4 ", "four", "4a", "\t4", "4\r", "\r\n4", "+",
                                           "-", "+-4", "$", "x", "0x", "0X10", "$G", "2147483648",
                                           "-2147483649", "$100000000", "99999999999999999999",
                                           "1.5", "**", "4\t"));

}  // namespace
}  // namespace quillet
