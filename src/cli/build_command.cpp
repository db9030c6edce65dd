// `quillet-cli build`: rebuilds the card database from a card list exactly as
// the updater dialog does, with every correction on unless switched off by
// name, and the card texts included unless --no-text.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/commands.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"
#include "core/card_data/data_journal.h"
#include "core/card_data/io_error.h"
#include "core/import/card_data_update.h"

namespace quillet::cli {
namespace {

struct BuildOptions {
  std::string cardsPath;
  std::string dataDir;
  bool noText = false;
  std::vector<std::string> noFix;
};

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

// The card list, remembering whether a failure was its own, so the message
// names the list rather than the data folder.
class ListSource final : public ByteSource {
 public:
  explicit ListSource(const std::string& path) : file_(path) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    try {
      return file_.Read(buffer, size);
    } catch (const IoError&) {
      failed = true;
      throw;
    }
  }
  bool failed = false;

 private:
  FileSource file_;
};

}  // namespace

CommandRunner SetupBuild(CLI::App& command) {
  auto options = std::make_shared<BuildOptions>();
  command.add_option("CARDLIST", options->cardsPath, "The card list (cards.txt)")
      ->required()
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the card list may not be empty") : std::string();
      });
  AddDataOption(command, options->dataDir);
  command.add_flag("--no-text", options->noText, "Leave the card texts out");
  command
      .add_option("--no-fix", options->noFix,
                  "Switch off a correction (repeatable): DHQ, Holo, Biker, Bull, Jones or Rook")
      ->type_name("NAME")
      ->allow_extra_args(false)
      ->check(CLI::IsMember({"DHQ", "Holo", "Biker", "Bull", "Jones", "Rook"}));
  return [options](CommandContext& context) {
    UpdateOptions update;
    update.CardTextCheck = !options->noText;
    for (const auto& name : options->noFix) *CorrectionNamed(update, name) = false;
    CardDatabase db(DataFolder(context, options->dataDir));  // its working card starts zero-filled
    std::optional<ListSource> list;
    try {
      list.emplace(options->cardsPath);
      UpdateCardData(db, *list, update, options->cardsPath);
    } catch (const CardListRefused& e) {
      context.err << e.what() << '\n';  // the message names the list itself
      return 1;
    } catch (const DataUpdateLeftPending& e) {
      context.err << e.what() << '\n';  // the message names the folder itself
      return 1;
    } catch (const DataFileRefused& e) {
      return FailWithFile(context, e.path(), e.what());
    } catch (const DataHalfUpdated&) {
      throw;  // said as every command says it
    } catch (const std::exception& e) {
      const bool listFailed = !list || list->failed;
      return FailWithFile(context, listFailed ? options->cardsPath : db.ProgramDir(), e.what());
    }
    context.out << "Card Data File Updated\n";
    return 0;
  };
}

}  // namespace quillet::cli
