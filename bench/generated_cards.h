// A generated card database for the benchmarks: `size` cards sorted by
// lower-cased name as the card list is, in a temporary program folder, with
// two deck files of the same 60 cards, one in name order and one shuffled.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/card_data/card_database.h"
#include "core/card_data/card_record.h"
#include "support/temp_dir.h"

namespace quillet::bench {

inline TCardRecord MakeCard(int i) {
  static constexpr char kTypes[] = {'A', 'A', 'B', 'E', 'I', 'P'};
  static constexpr char kDomains[] = {'U', 'F', 'M', 'C', 'N', 'I', 'T', ' '};
  TCardRecord c;
  // Names spread evenly over the alphabet: "Card aaaa 00001" ...
  std::string name = "Card ";
  for (int k = 0, v = i; k < 4; ++k, v /= 26) name += static_cast<char>('a' + v % 26);
  name.append(" ").append(std::to_string(100000 + i));
  c.Name.Assign(name);
  c.CardType = kTypes[i % 6];
  c.Domain = kDomains[i % 8];
  c.Rarity = "CURV"[i % 4];
  c.Firepower.Assign(std::to_string(i % 8));
  c.Stealth.Assign(std::to_string(i % 5));
  c.Perception.Assign(std::to_string(i % 7));
  c.CyberAffinity.Assign(std::to_string(i % 6));
  const bool base = c.CardType == 'B';
  c.DeployMil.Assign(base ? " " : std::to_string(i % 3));
  c.DeployCov.Assign(base ? " " : "1");
  c.DeployCyb.Assign(base ? " " : "0");
  c.AttackMil = c.MoveMil = '1';
  c.AttackCov = c.AttackCyb = c.MoveCov = c.MoveCyb = '0';
  c.ProdMil = base ? '2' : ' ';
  c.ProdCov = c.ProdCyb = ' ';
  c.TurnsMil.Assign(base ? "**" : "");
  c.Keywords = (1u << (i % 30)) | (1u << ((i * 7) % 30));
  return c;
}

struct Fixture {
  explicit Fixture(int size) {
    std::vector<TCardRecord> cards;
    cards.reserve(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) cards.push_back(MakeCard(i));
    std::sort(cards.begin(), cards.end(), [](const TCardRecord& a, const TCardRecord& b) {
      return SortsAfterIgnoringCase(b.Name.View(), a.Name.View());
    });
    std::string bytes;
    for (const auto& card : cards) {
      const auto record = EncodeRecord(card);
      bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    dir.Write("CardStat.Dat", bytes);

    std::vector<std::string> names;
    for (int k = 0; k < 60; ++k)
      names.push_back(
          cards[static_cast<std::size_t>((static_cast<std::int64_t>(k) * size) / 60 + 7)]
              .Name.Str());
    auto deck = [](const std::vector<std::string>& lines) {
      std::string text;
      for (std::size_t k = 0; k < lines.size(); ++k) {
        text.append(std::to_string(1 + k % 3)).append("\t").append(lines[k]).append("\r\n");
      }
      return text;
    };
    ordered = dir.Write("ordered.txt", deck(names));
    std::mt19937 random(42);
    std::shuffle(names.begin(), names.end(), random);
    shuffled = dir.Write("shuffled.txt", deck(names));
  }
  test::TempDir dir;
  std::string ordered;
  std::string shuffled;
};

inline Fixture& FixtureOf(int size) {
  static std::map<int, std::unique_ptr<Fixture>> fixtures;
  auto& fixture = fixtures[size];
  if (!fixture) fixture = std::make_unique<Fixture>(size);
  return *fixture;
}

}  // namespace quillet::bench
