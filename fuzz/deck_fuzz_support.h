// The fixed small card database the deck fuzzers analyse against, in a
// temporary program folder made once per run, and the host that answers the
// open dialog with the fuzzed deck.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis/main_view.h"
#include "core/card_data/card_record.h"
#include "core/card_data/card_words.h"
#include "fuzz_check.h"

namespace quillet::fuzz {

inline TCardRecord Card(std::string_view name, char type, char domain, std::string_view fp,
                        std::string_view stealth, std::string_view ca, std::string_view cost) {
  TCardRecord c;
  c.Name.Assign(name);
  c.CardType = type;
  c.Domain = domain;
  c.Rarity = "CURV"[name.size() % 4];
  c.Firepower.Assign(fp);
  c.Stealth.Assign(stealth);
  c.Perception.Assign("2");
  c.CyberAffinity.Assign(ca);
  c.DeployMil.Assign(cost);
  c.DeployCov.Assign(cost);
  c.DeployCyb.Assign("0");
  c.AttackMil = c.MoveMil = '1';
  c.AttackCov = c.AttackCyb = c.MoveCov = c.MoveCyb = '0';
  c.ProdMil = c.ProdCov = c.ProdCyb = ' ';
  c.TurnsMil.Assign(" ");
  c.TurnsCov.Assign(" ");
  c.TurnsCyb.Assign(" ");
  return c;
}

// A small database in name order, with cards whose fields hold no number
// where some rule may look (a blank Stealth, a letter for a cost).
inline std::string Database() {
  TCardRecord hq = Card("Bion HQ", 'H', 'M', "", " ", "", " ");
  hq.ProdCyb = '1';
  hq.TurnsCyb.Assign("**");
  hq.Keywords = Mask(Keyword::Topdeck);
  TCardRecord base = Card("Depot", 'B', 'U', "", " ", "", " ");
  base.ProdMil = '2';
  base.TurnsMil.Assign("4");
  TCardRecord brokenBase = Card("Dud Base", 'B', ' ', "", " ", "", " ");
  brokenBase.ProdCov = '3';  // turns left blank: no number
  TCardRecord mech = Card("Grunt", 'A', 'U', "5", "3", "4", "1");
  mech.Keywords = Mask(Keyword::Mech) | Mask(Keyword::Veteran) | Mask(Keyword::Topdeck);
  TCardRecord idle = Card("Idle Guard", 'A', 'F', "", "1", "0", "0");
  idle.AttackMil = '0';
  const TCardRecord cards[] = {
      Card("Arms Export Contract", 'I', ' ', "", " ", "", "0"),
      hq,
      Card("Blank Ghost", 'A', 'N', "2", " ", "1", "0"),
      base,
      brokenBase,
      mech,
      idle,
      Card("Patch", 'P', 'I', "", " ", "7", "x"),
      Card("Scope", 'E', 'T', "", " ", "", "$F"),
      Card("Software Maintenance Contract", 'I', 'C', "", " ", "", "0"),
  };
  std::string bytes;
  for (const auto& card : cards) {
    const auto record = EncodeRecord(card);
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  return bytes;
}

// The temporary program folder, kept in plain storage so that the clean-up at
// exit does not depend on the order in which static objects are destroyed.
inline char gFolder[] = "/tmp/quillet-deck-fuzz-XXXXXX";

inline const std::string& Folder() {
  static const std::string folder = [] {
    std::string dir = ::mkdtemp(gFolder);
    dir += '/';
    const std::string db = Database();
    std::ofstream(dir + "CardStat.Dat", std::ios::binary)
        .write(db.data(), static_cast<std::streamsize>(db.size()));
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(gFolder, ignored);
    });
    return dir;
  }();
  return folder;
}

// Writes the fuzzed bytes as the deck file and returns its path.
inline std::string WriteDeck(const std::uint8_t* data, std::size_t size) {
  const std::string deckPath = Folder() + "deck.txt";
  std::ofstream(deckPath, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return deckPath;
}

}  // namespace quillet::fuzz
