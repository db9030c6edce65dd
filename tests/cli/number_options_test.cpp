// Every number on the command line is decimal: leading zeros change nothing
// ("010" is ten, not eight) and "0x10" is no number but a wrong line naming
// the option's range. First the rule itself, then each numeric option of
// each command.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include "cli/command_support.h"
#include "sample_data.h"

namespace quillet::cli {
namespace {

struct NumberCase {
  const char* typed;
  std::int64_t least;
  std::uint64_t most;
  bool orMore;
  std::optional<std::int64_t> taken;  // nullopt: refused with the range
};

constexpr std::uint64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

TEST(WholeNumberOptionTest, TakesDecimalDigitsOnly) {
  const NumberCase cases[] = {
      {"10", 1, 100, false, 10},
      {"010", 1, 100, false, 10},
      {"0010", 1, 100, false, 10},
      {"08", 1, 100, false, 8},  // no octal digit at all
      {"0", 0, 100, false, 0},
      {"00", 0, 100, false, 0},
      {"-0", 0, 100, false, 0},
      {"0", 1, 100, false, std::nullopt},
      {"0x10", 1, 100, false, std::nullopt},
      {"0X10", 1, 100, false, std::nullopt},
      {"0b1", 1, 100, false, std::nullopt},
      {"+1", 1, 100, false, std::nullopt},
      {" 1", 1, 100, false, std::nullopt},
      {"1 ", 1, 100, false, std::nullopt},
      {"1.5", 1, 100, false, std::nullopt},
      {"1e3", 1, 100000, false, std::nullopt},
      {"1_000", 1, 100000, false, std::nullopt},
      {"", 0, 100, false, std::nullopt},
      {"-", 0, 100, false, std::nullopt},
      {"--1", -10, 100, false, std::nullopt},
      {"-1", 0, 100, false, std::nullopt},
      {"-5", -10, 100, false, -5},
      {"-010", -10, 100, false, -10},
      {"-11", -10, 100, false, std::nullopt},
      {"101", 1, 100, false, std::nullopt},
      {"0101", 1, 100, false, std::nullopt},
      {"0100", 0, 50, true, 50},
      {"9223372036854775807", 1, kInt64Max, false, std::numeric_limits<std::int64_t>::max()},
      {"9223372036854775808", 1, kInt64Max, false, std::nullopt},
      {"99999999999999999999999", 0, kInt64Max, true, std::numeric_limits<std::int64_t>::max()},
      {"-99999999999999999999999", std::numeric_limits<std::int64_t>::min(), kInt64Max, false,
       std::nullopt},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min(), kInt64Max, false,
       std::numeric_limits<std::int64_t>::min()},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string("'") + c.typed + "' in " + std::to_string(c.least) + ".." +
                 std::to_string(c.most));
    CLI::App app;
    std::int64_t value = -42;
    WholeNumberOption(*app.add_option("--n", value), c.least, c.most, c.orMore);
    const std::string range = "must be " + std::to_string(c.least) +
                              (c.orMore ? " or more" : " to " + std::to_string(c.most));
    try {
      app.parse(std::vector<std::string>{c.typed, "--n"});  // CLI11 takes them last first
      ASSERT_TRUE(c.taken.has_value()) << "taken as " << value;
      EXPECT_EQ(value, *c.taken);
    } catch (const CLI::ValidationError& e) {
      EXPECT_FALSE(c.taken.has_value()) << e.what();
      EXPECT_NE(std::string(e.what()).find(range), std::string::npos) << e.what();
    }
  }
}

struct OptionCase {
  const char* command;
  Args args;            // DECK is a copy of the sample deck, N the number
  const char* decimal;  // the number as written without zeros
  const char* zeros;    // the same number with leading zeros
  const char* refused;  // a hex number
  const char* says;     // what the refusal says
};

TEST(NumberOptionsTest, EveryNumericOptionReadsDecimal) {
  const OptionCase cases[] = {
      {"add",
       {"DECK", "Bion Acolyte", "--count", "N"},
       "10",
       "010",
       "0x10",
       "--count must be 1 to 2147483647"},
      {"remove",
       {"DECK", "Bion Acolyte", "--count", "N"},
       "2",
       "0002",
       "0x2",
       "--count must be 1 to 2147483647"},
      {"hand",
       {"DECK", "--seed", "N"},
       "10",
       "010",
       "0x10",
       "--seed must be 0 to 18446744073709551615"},
      {"hand",
       {"DECK", "--seed", "1", "--draw", "N"},
       "10",
       "010",
       "0xa",
       "--draw must be 0 or more"},
      {"hand",
       {"DECK", "--goal", "1:AssetAmount", "--seed", "3", "--trials", "N"},
       "10",
       "010",
       "0x10",
       "--trials must be 1 to"},
      {"odds",
       {"DECK", "AssetAmount", "--seen", "N"},
       "10",
       "010",
       "0x10",
       "--seen must be 1 to 9223372036854775807"},
      {"odds",
       {"DECK", "--goal", "N:AssetAmount"},
       "8",
       "08",
       "0x8",
       "--goal must be K:FIELD or K:card=NAME with K from 1 to 8"},
      {"hand",
       {"DECK", "--goal", "N:card=Bion Acolyte", "--trials", "5", "--seed", "1"},
       "3",
       "003",
       "0x3",
       "--goal must be K:FIELD or K:card=NAME with K from 1 to 8"},
  };
  quillet::test::TempDir dir;
  const auto run = [&](const OptionCase& c, const std::string& number) {
    const std::string deck = dir.path() + "deck.txt";
    std::filesystem::copy_file(test::SampleDeck("monastery-bion.txt"), deck,
                               std::filesystem::copy_options::overwrite_existing);
    Args args;
    for (std::string arg : c.args) {
      if (arg == "DECK") arg = deck;
      if (const auto n = arg.find('N'); arg == "N" || arg.starts_with("N:")) {
        arg.replace(n, 1, number);
      }
      args.push_back(arg);
    }
    return test::RunOnSamples(c.command, args);
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + c.args.back() + " " + c.zeros);
    const test::Result plain = run(c, c.decimal);
    ASSERT_EQ(plain.code, 0) << plain.err;
    const test::Result zeros = run(c, c.zeros);
    EXPECT_EQ(zeros.code, 0) << zeros.err;
    EXPECT_EQ(zeros.out, plain.out);
    const test::Result hex = run(c, c.refused);
    EXPECT_EQ(hex.code, 2);
    EXPECT_NE(hex.err.find(c.says), std::string::npos) << hex.err;
  }
}

}  // namespace
}  // namespace quillet::cli
