// Sample hands dealt as the game deals: the pile's top-deck copies shuffled
// and put first, the other copies shuffled after them. The shuffle is defined
// here down to the generator (SplitMix64) and the bounded draw, rather than
// left to the standard library, so one seed deals the same hand in the window
// and on the command line on every machine and compiler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/odds/deck_pile.h"

namespace quillet {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  // Uniform in 0 .. m - 1 for m >= 1, without modulo bias: values from the
  // incomplete last block of m are drawn again.
  std::uint64_t Bounded(std::uint64_t m);

 private:
  std::uint64_t state_;
};

struct DealtCard {
  std::string Name;  // bytes, as the card record stores it
  bool TopDeck = false;
};

// The whole pile in the order the seed deals it.
std::vector<DealtCard> DealPile(const DeckPile& pile, std::uint64_t seed);

struct SampleHand {
  std::uint64_t Seed = 0;
  std::vector<DealtCard> Hand;   // the first 8 cards, or the whole pile when smaller
  std::vector<DealtCard> Draws;  // the next cards, as many as asked and the pile holds
};

SampleHand DealSampleHand(const DeckPile& pile, std::uint64_t seed, std::int64_t draws = 0);

// A seed from std::random_device, for a hand nobody asked for by seed.
std::uint64_t RandomSeed();

}  // namespace quillet
