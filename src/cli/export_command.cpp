// `quillet-cli export`: a deck file as a list to paste elsewhere, "COUNT
// NAME" per line, the text Edit > Copy Deck List puts on the clipboard. It
// needs no card database.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/safe_file.h"
#include "core/names/deck_list_export.h"

namespace quillet::cli {

CommandRunner SetupExport(CLI::App& command) {
  auto deck = std::make_shared<std::string>();
  AddDeckArgument(command, *deck, "DECK");
  return [deck](CommandContext& context) {
    std::string list;
    try {
      list = ExportDeckList(ReadWholeFile(*deck, -1));
    } catch (const std::exception&) {
      context.err << "File '" << *deck << "' is not a valid deck file.\n";
      return 1;
    }
    context.out << list;
    return 0;
  };
}

}  // namespace quillet::cli
