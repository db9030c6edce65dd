#include "core/odds/sample_deal.h"

#include <gtest/gtest.h>

#include "core/analysis/analysis_fixture.h"

namespace quillet {
namespace {

// The expected values below were printed by tools/deal_reference.py, an
// independent implementation of the same rules in Python.

TEST(SplitMix64Test, MatchesTheReferenceOutputs) {
  struct Case {
    std::uint64_t seed;
    std::array<std::uint64_t, 3> outputs;
  };
  for (const Case& c :
       {Case{0, {0xe220a8397b1dcdafULL, 0x6e789e6aa1b965f4ULL, 0x6c45d188009454fULL}},
        Case{1, {0x910a2dec89025cc1ULL, 0xbeeb8da1658eec67ULL, 0xf893a2eefb32555eULL}},
        Case{0xFFFFFFFFFFFFFFFFULL,
             {0xe4d971771b652c20ULL, 0xe99ff867dbf682c9ULL, 0x382ff84cb27281e9ULL}},
        Case{20240611, {0x635ef3cd5c35877ULL, 0xf668eaeb0e183e70ULL, 0x36f0d4c97c8389d0ULL}}}) {
    SplitMix64 generator(c.seed);
    for (std::uint64_t expected : c.outputs) EXPECT_EQ(generator.Next(), expected) << c.seed;
  }
}

TEST(SplitMix64Test, BoundedDrawsRejectTheIncompleteBlock) {
  SplitMix64 small(7);
  for (std::uint64_t expected : {2, 3, 0, 3, 5, 6}) EXPECT_EQ(small.Bounded(7), expected);
  // Just above 2^63 almost half of all draws are rejected, so these values
  // differ from a plain modulo.
  SplitMix64 large(3);
  for (std::uint64_t expected : {0x1d0b14e4db018fedULL, 0x12a764fb66abc9cfULL,
                                 0x37688dadcab79996ULL, 0x2298eb42cbbefdb8ULL}) {
    EXPECT_EQ(large.Bounded((std::uint64_t{1} << 63) + 1), expected);
  }
  SplitMix64 one(5);
  EXPECT_EQ(one.Bounded(1), 0u);
}

class SampleDealTest : public test::AnalysisTest {
 protected:
  void SetUp() override {
    Cards({test::Asset("Ember Sentry"),
           test::WithKeywords(test::Asset("Hollow Scout"), {Keyword::Topdeck}),
           test::Asset("Tin Drover"),
           test::WithKeywords(test::Card("Quarry Lamp", 'E'), {Keyword::Topdeck}),
           test::Card("Mire Beacon", 'B'), test::Card("Ash Courier", 'I'),
           test::Card("Fen Citadel", 'H')});
    ASSERT_TRUE(
        Open("2\tEmber Sentry\n1\tHollow Scout\n3\tTin Drover\n1\tFen Citadel\n"
             "2\tQuarry Lamp\n1\tMire Beacon\n3\tAsh Courier\n"));
  }

  static std::vector<std::string> Names(const std::vector<DealtCard>& cards) {
    std::vector<std::string> names;
    for (const auto& c : cards) names.push_back(c.Name);
    return names;
  }
};

TEST_F(SampleDealTest, DealsThePileAsTheReferenceDoes) {
  const DeckPile pile = DeckPile::FromAnalysis(view_.Analysis());
  const std::vector<std::string> seed42 = {
      "Hollow Scout", "Quarry Lamp", "Quarry Lamp", "Tin Drover",  "Tin Drover", "Ember Sentry",
      "Ash Courier",  "Mire Beacon", "Ash Courier", "Ash Courier", "Tin Drover", "Ember Sentry"};
  const std::vector<std::string> seed9001 = {
      "Hollow Scout", "Quarry Lamp", "Quarry Lamp", "Tin Drover", "Ash Courier", "Ember Sentry",
      "Ember Sentry", "Ash Courier", "Ash Courier", "Tin Drover", "Mire Beacon", "Tin Drover"};
  EXPECT_EQ(Names(DealPile(pile, 42)), seed42);
  EXPECT_EQ(Names(DealPile(pile, 9001)), seed9001);

  const SampleHand hand = DealSampleHand(pile, 42, 10);  // only 4 cards are left to draw
  EXPECT_EQ(hand.Seed, 42u);
  EXPECT_EQ(Names(hand.Hand), std::vector<std::string>(seed42.begin(), seed42.begin() + 8));
  EXPECT_EQ(Names(hand.Draws), std::vector<std::string>(seed42.begin() + 8, seed42.end()));
  for (const auto& card : hand.Hand) {
    EXPECT_EQ(card.TopDeck, card.Name == "Hollow Scout" || card.Name == "Quarry Lamp");
  }
  EXPECT_TRUE(DealSampleHand(pile, 42, 0).Draws.empty());
}

}  // namespace
}  // namespace quillet
