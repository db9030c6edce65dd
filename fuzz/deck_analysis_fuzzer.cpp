// Any deck file analyses against a fixed small card database without a crash
// or undefined behaviour. A failed analysis leaves the window model in its
// reset state; a successful one leaves a deck list, card list and figures that
// agree with each other, and every drill-down list and line selection works.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "analysis/drill_down.h"
#include "analysis/master_model.h"
#include "card_data/card_record.h"
#include "card_data/card_words.h"

namespace {

using namespace quillet;

void Check(bool condition) {
  if (!condition) std::abort();
}

TCardRecord Card(std::string_view name, char type, char domain, std::string_view fp,
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
std::string Database() {
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

class Host final : public OpenDeckHost {
 public:
  explicit Host(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> ChooseDeckFile(const std::string&) override { return path_; }
  void BeginBusy() override { ++depth; }
  void EndBusy() override { --depth; }
  void ShowMessage(const std::string&) override { ++messages; }
  int depth = 0;
  int messages = 0;

 private:
  std::string path_;
};

// The temporary program folder, kept in plain storage so that the clean-up at
// exit does not depend on the order in which static objects are destroyed.
char gFolder[] = "/tmp/quillet-deck-fuzz-XXXXXX";

const std::string& Folder() {
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

void CheckReset(const MasterModel& model, const Session& session) {
  for (const auto& field : MasterFields()) Check(model.FieldValue(field.name) == 0);
  Check(!model.ShowZero());
  Check(model.DName().empty() && model.HQType().empty());
  Check(model.CostBoxItems().size() == 1 && model.CostBoxText() == "All cards");
  Check(model.ProblemBox().empty() && model.CardList().empty());
  Check(!model.SaveEnabled());
  Check(session.deck.DeckCount == 0 && session.deck.DeckFileName.empty());
  Check(session.stats.OverLimitNames.empty() && !session.stats.HQFound);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string deckPath = Folder() + "deck.txt";
  std::ofstream(deckPath, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  Session session(Folder());
  MasterModel model(session);
  Check(model.Create());
  Host host(deckPath);
  model.OpenDeck(host, /*useSettings=*/false);
  Check(host.depth == 0);

  if (session.deck.DeckFileName.empty()) {
    Check(host.messages >= 1);
    CheckReset(model, session);
    return 0;
  }
  const auto count = static_cast<std::size_t>(session.deck.DeckCount);
  Check(count == session.deck.DeckList.size());
  Check(model.CardList().size() == count);
  Check(model.ShowZero() && model.SaveEnabled());
  Check(!model.HQType().empty());
  Check(model.CostBoxItems().back() == "All cards");

  // The lists a user can open, and a click on every line they show.
  for (const auto& list : DrillDownLists()) {
    Check(model.DrillDown(list.component) == (count > 0));
    Check(model.CardList().size() <= count);
  }
  model.DrillDown("DName");
  for (std::size_t i = 0; i < model.CardList().size() && i < 8; ++i) {
    try {
      model.CardListClick(static_cast<int>(i));
    } catch (const std::overflow_error&) {
      // Negative counts can push a chance beyond 32 bits: refused, not wrapped.
    }
  }
  return 0;
}
