#include "core/odds/sample_deal.h"

#include <algorithm>
#include <random>
#include <utility>

#include "core/odds/draw_odds.h"

namespace quillet {

std::uint64_t SplitMix64::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t SplitMix64::Bounded(std::uint64_t m) {
  // 2^64 mod m, computed in 64 bits as (2^64 - m) mod m; values at or above
  // 2^64 minus it would favour the small results.
  const std::uint64_t excess = (0 - m) % m;
  std::uint64_t x = Next();
  if (excess != 0) {
    const std::uint64_t limit = 0 - excess;  // 2^64 - excess
    while (x >= limit) x = Next();
  }
  return x % m;
}

namespace {

void FisherYates(std::vector<DealtCard>& part, SplitMix64& generator) {
  for (std::size_t i = part.size(); i-- > 1;) {
    const auto j = static_cast<std::size_t>(generator.Bounded(i + 1));
    std::swap(part[i], part[j]);
  }
}

}  // namespace

std::vector<DealtCard> DealPile(const DeckPile& pile, std::uint64_t seed) {
  std::vector<DealtCard> top;
  std::vector<DealtCard> bottom;
  for (const PileLine& line : pile.Lines()) {
    auto& part = line.TopDeck ? top : bottom;
    for (std::int32_t i = 0; i < line.Count; ++i) {
      part.push_back({std::string(line.Card.Name.View()), line.TopDeck});
    }
  }
  SplitMix64 generator(seed);
  FisherYates(top, generator);
  FisherYates(bottom, generator);
  top.insert(top.end(), std::make_move_iterator(bottom.begin()),
             std::make_move_iterator(bottom.end()));
  return top;
}

SampleHand DealSampleHand(const DeckPile& pile, std::uint64_t seed, std::int64_t draws) {
  std::vector<DealtCard> dealt = DealPile(pile, seed);
  SampleHand hand;
  hand.Seed = seed;
  const auto handEnd = std::min<std::size_t>(dealt.size(), kOpeningHand);
  const auto drawEnd =
      handEnd + std::min<std::size_t>(dealt.size() - handEnd,
                                      static_cast<std::size_t>(std::max<std::int64_t>(draws, 0)));
  hand.Hand.assign(dealt.begin(), dealt.begin() + static_cast<std::ptrdiff_t>(handEnd));
  hand.Draws.assign(dealt.begin() + static_cast<std::ptrdiff_t>(handEnd),
                    dealt.begin() + static_cast<std::ptrdiff_t>(drawEnd));
  return hand;
}

std::uint64_t RandomSeed() {
  std::random_device device;
  return (std::uint64_t{device()} << 32) ^ device();
}

}  // namespace quillet
