// Shared pieces of the analysis tests: card records filled the way the card
// list import fills them, a CardStat.Dat written in name order into a
// temporary program folder, and the main window's view opening decks there.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/main_view.h"
#include "core/card_data/card_database.h"
#include "core/card_data/card_words.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet::test {

// A card as the import leaves it: every statistic present, no production.
inline TCardRecord Card(std::string_view name, char type, char domain = ' ', char rarity = 'C') {
  TCardRecord c = MakeCard(name, type);
  c.Domain = domain;
  c.Rarity = rarity;
  c.Stealth.Assign(" ");
  c.Perception.Assign(" ");
  for (char* ch : {&c.AttackMil, &c.AttackCov, &c.AttackCyb, &c.MoveMil, &c.MoveCov, &c.MoveCyb,
                   &c.SearchMil, &c.SearchCov, &c.SearchCyb, &c.ProdMil, &c.ProdCov, &c.ProdCyb}) {
    *ch = ' ';
  }
  if (type == 'B' || type == 'H') {
    c.DeployMil.Assign(" ");
    c.DeployCov.Assign(" ");
    c.DeployCyb.Assign(" ");
    c.TurnsMil.Assign(" ");
    c.TurnsCov.Assign(" ");
    c.TurnsCyb.Assign(" ");
  } else {
    if (type == 'P') c.CyberAffinity.Assign("1");
    c.DeployMil.Assign("0");
    c.DeployCov.Assign("0");
    c.DeployCyb.Assign("0");
  }
  return c;
}

// An asset of Firepower `fp`, Stealth `stealth`, Perception `percep` and
// CyberAffinity `ca` that attacks and moves for 1 Military and deploys for
// "mil/cov/cyb".
inline TCardRecord Asset(std::string_view name, std::string_view fp = "2",
                         std::string_view stealth = "1", std::string_view percep = "2",
                         std::string_view ca = "0", char domain = ' ') {
  TCardRecord c = Card(name, 'A', domain);
  c.HP.Assign("3");
  c.Firepower.Assign(fp);
  c.Armor.Assign("1");
  c.Stealth.Assign(stealth);
  c.Perception.Assign(percep);
  c.CyberAffinity.Assign(ca);
  c.DeployMil.Assign("1");
  c.AttackMil = '1';
  c.AttackCov = '0';
  c.AttackCyb = '0';
  c.MoveMil = '1';
  c.MoveCov = '0';
  c.MoveCyb = '0';
  return c;
}

inline TCardRecord WithKeywords(TCardRecord c, std::initializer_list<Keyword> keywords) {
  for (Keyword k : keywords) c.Keywords |= Mask(k);
  return c;
}

inline TCardRecord WithCosts(TCardRecord c, std::string_view mil, std::string_view cov,
                             std::string_view cyb) {
  c.DeployMil.Assign(mil);
  c.DeployCov.Assign(cov);
  c.DeployCyb.Assign(cyb);
  return c;
}

// A base or HQ producing `prod` for `turns` turns of each resource given.
inline TCardRecord Producer(std::string_view name, char type, char domain, char milProd,
                            std::string_view milTurns, char covProd = ' ',
                            std::string_view covTurns = " ", char cybProd = ' ',
                            std::string_view cybTurns = " ") {
  TCardRecord c = Card(name, type, domain);
  c.ProdMil = milProd;
  c.TurnsMil.Assign(milTurns);
  c.ProdCov = covProd;
  c.TurnsCov.Assign(covTurns);
  c.ProdCyb = cybProd;
  c.TurnsCyb.Assign(cybTurns);
  return c;
}

// Writes the records sorted by lower-cased name, as the card list is.
inline void WriteCardStat(const TempDir& dir, std::vector<TCardRecord> cards) {
  std::stable_sort(cards.begin(), cards.end(), [](const TCardRecord& a, const TCardRecord& b) {
    return SortsAfterIgnoringCase(b.Name.View(), a.Name.View());
  });
  dir.Write("CardStat.Dat", RecordsBytes(cards));
}

// A program folder with a card database and the main window's view of the
// decks opened in it, one after another.
class AnalysisTest : public ::testing::Test {
 protected:
  void Cards(std::vector<TCardRecord> cards) { WriteCardStat(dir_, std::move(cards)); }

  // Opens `deck` (the file's bytes) as the window does; true when analysed.
  // messages_ receives what the window says of it, in order.
  bool Open(std::string_view deck, std::string_view fileName = "deck.txt") {
    return OpenFile(dir_.Write(fileName, deck));
  }
  bool OpenFile(const std::string& path) {
    path_ = path;
    messages_ = view_.Show(AnalyzeInView(path, view_, db_));
    return !view_.DName().empty();
  }
  // Analyses the open deck again as the window's reload does.
  MainView::ReloadResult Reload() {
    const MainView::ReloadState state = view_.BeginReload();
    messages_ = view_.Show(AnalyzeInView(path_, view_, db_));
    return view_.FinishReload(state, db_);
  }
  const TDeckStats& stats() const { return view_.Analysis().stats; }
  std::int32_t Field(std::string_view name) const { return view_.FieldValue(name); }
  std::size_t DeckCount() const { return view_.Analysis().entries.size(); }

  TempDir dir_;
  CardDatabase db_{dir_.path()};
  MainView view_;
  std::vector<std::string> messages_;
  std::string path_;  // the deck opened last
};

}  // namespace quillet::test
