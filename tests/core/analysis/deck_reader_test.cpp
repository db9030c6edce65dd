#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "core/analysis/deck_analysis.h"
#include "core/analysis/deck_list.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/str_to_int.h"

namespace quillet {
namespace {

using test::Card;

std::vector<DeckLine> Split(std::string_view bytes) {
  MemorySource source(bytes);
  ByteReader reader(source, 3);  // a small buffer crosses buffer ends mid-line
  std::vector<DeckLine> lines;
  while (!reader.AtEnd()) lines.push_back(SplitDeckLine(reader));
  return lines;
}

struct SplitCase {
  const char* label;
  std::string bytes;
  std::vector<std::pair<std::string, std::string>> lines;  // count field, name
};

class DeckLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DeckLineSplit, SplitsIntoCountAndName) {
  const auto lines = Split(GetParam().bytes);
  ASSERT_EQ(lines.size(), GetParam().lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].countField, GetParam().lines[i].first) << "line " << i;
    EXPECT_EQ(lines[i].name, GetParam().lines[i].second) << "line " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeckLineSplit,
    ::testing::Values(
        SplitCase{"CrLf",
                  "4\tArms Export Contract\r\n1\tBion HQ\r\n",
                  {{"4", "Arms Export Contract"}, {"1", "Bion HQ"}}},
        SplitCase{"NoLineEndAtEnd", "4\tA\r\n2\tB", {{"4", "A"}, {"2", "B"}}},
        SplitCase{"LfOnly", "4\tA\n2\tB\n", {{"4", "A"}, {"2", "B"}}},
        SplitCase{"LoneCr", "4\tA\r2\tB", {{"4", "A"}, {"2", "B"}}},
        SplitCase{"CrEndsTheFile", "4\tA\r", {{"4", "A"}}},
        SplitCase{"SecondTabBelongsToName", "4\tA\tB\r\n", {{"4", "A\tB"}}},
        SplitCase{"NameKeptExactly", "1\t  Mixed Case  \r\n", {{"1", "  Mixed Case  "}}},
        SplitCase{"CountWithoutTabAtEnd", "5", {{"5", ""}}},
        SplitCase{"TabEndsTheFile", "5\t", {{"5", ""}}},
        SplitCase{"BlankLineRunsIntoNextCount", "4\tA\r\n\r\n2\tB", {{"4", "A"}, {"\r\n2", "B"}}},
        SplitCase{"LineWithoutTab", "4 A\r\n2\tB", {{"4 A\r\n2", "B"}}}),
    [](const auto& info) { return std::string(info.param.label); });

// The lines as the analysis reads them: the count as read, the card found
// by its exact name, the names not found in file order.
class DeckLinesAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteCardStat(dir_, {Card("Bion HQ", 'H'), Card("Gun", 'E')}); }
  DeckAnalysis Analyze(std::string_view bytes) {
    return AnalyzeDeckFile(dir_.Write("deck.txt", bytes), db_);
  }

  test::TempDir dir_;
  CardDatabase db_{dir_.path()};
};

TEST_F(DeckLinesAnalysisTest, CountsAsReadAndCardsByTheirExactName) {
  const DeckAnalysis a = Analyze("$A\tGun\r\n-3\tBion HQ\r\n0\tgun\r\n5");
  ASSERT_EQ(a.entries.size(), 2u);
  EXPECT_EQ(a.entries[0].Count, 10);
  EXPECT_EQ(a.entries[0].Card.Name.View(), "Gun");
  EXPECT_EQ(a.entries[1].Count, -3);
  EXPECT_EQ(a.entries[1].Name, "Bion HQ");
  // Case counts; a count without a name is an empty name not found.
  EXPECT_EQ(a.missing, (std::vector<std::string>{"gun", ""}));
}

TEST_F(DeckLinesAnalysisTest, AnInvalidCountFailsWithTheIntegerError) {
  const DeckAnalysis a = Analyze("4 \tGun\r\n");
  ASSERT_TRUE(a.failure);
  EXPECT_THROW(std::rethrow_exception(a.failure), ConvertError);
}

// A deck source that fails after some bytes, as a failing disk would.
class FailingSource final : public ByteSource {
 public:
  explicit FailingSource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    if (pos_ >= bytes_.size()) throw IoError(kDiskFull + 0);
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::copy_n(bytes_.data() + pos_, n, buffer);
    pos_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

TEST(DeckLineSplitErrors, ReadErrorsOfTheDeckFilePropagate) {
  FailingSource source("4\tGu");
  ByteReader reader(source, 2);
  EXPECT_THROW(SplitDeckLine(reader), IoError);
}

}  // namespace
}  // namespace quillet
