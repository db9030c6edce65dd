// `quillet-cli build`: rebuilds the card database from a card list exactly as
// the updater dialog does, with every correction on unless switched off by
// name, and the card texts included unless --no-text.
#include <exception>
#include <ostream>
#include <string_view>
#include <utility>

#include "card_data/card_database.h"
#include "cli/commands.h"
#include "updater/card_data_update.h"

namespace quillet::cli {
namespace {

constexpr const char* kBuildUsage =
    "usage: quillet-cli build CARDLIST [--data DIR] [--no-text] [--no-fix NAME]...\n"
    "       NAME: DHQ, Holo, Biker, Bull, Jones or Rook\n";

// The correction check box called `name` (its name without "Check").
bool* CorrectionNamed(UpdateOptions& options, std::string_view name) {
  if (name == "DHQ") return &options.DHQCheck;
  if (name == "Holo") return &options.HoloCheck;
  if (name == "Biker") return &options.BikerCheck;
  if (name == "Bull") return &options.BullCheck;
  if (name == "Jones") return &options.JonesCheck;
  if (name == "Rook") return &options.RookCheck;
  return nullptr;
}

}  // namespace

int RunBuild(const Args& args, const std::string& programDir, std::ostream& out,
             std::ostream& err) {
  std::string cardsPath;
  bool haveCardsPath = false;
  std::string dataDir = programDir;
  UpdateOptions options;
  auto usage = [&err] {
    err << kBuildUsage;
    return 2;
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--data" || arg == "--no-fix") {
      if (i + 1 == args.size()) return usage();
      const std::string& value = args[++i];
      if (arg == "--data") {
        if (value.empty()) return usage();
        dataDir = value;
      } else if (bool* check = CorrectionNamed(options, value)) {
        *check = false;
      } else {
        return usage();
      }
    } else if (arg == "--no-text") {
      options.CardTextCheck = false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usage();
    } else if (haveCardsPath || arg.empty()) {
      return usage();
    } else {
      cardsPath = arg;
      haveCardsPath = true;
    }
  }
  if (!haveCardsPath) return usage();
  dataDir = DataFolder(std::move(dataDir));

  try {
    CardDatabase db(dataDir);  // its working card starts zero-filled
    UpdateCardData(db, cardsPath, options);
  } catch (const std::exception& e) {
    err << e.what() << '\n';
    return 1;
  }
  out << "Card Data File Updated\n";
  return 0;
}

}  // namespace quillet::cli
