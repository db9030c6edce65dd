// `quillet-cli import`: a deck list in any common form, from a file or
// standard input, written as a deck file. Every card line is kept: a name
// no card has is replaced by its sure suggestion, or else written as it is
// and reported. Exit 0 when every line matched, 3 when some did not (the
// deck is written all the same).
#include <CLI/CLI.hpp>
#include <cerrno>
#include <iostream>
#include <iterator>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"
#include "core/card_data/file_util.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/deck_edit/deck_edit.h"
#include "core/names/deck_list_import.h"

namespace quillet::cli {
namespace {

constexpr int kUnmatched = 3;

struct ImportOptions {
  std::string source;
  std::string deck;
  bool force = false;
  std::string dataDir;
  bool json = false;
};

// The JSON shape of an import: every card line as read and as written.
Json ImportJson(const std::string& deck, const ImportedDeck& imported) {
  Json lines = Json::array();
  for (const ImportedLine& line : imported.lines) {
    lines.push_back(Json{{"Line", line.line},
                         {"Text", JsonText(line.text)},
                         {"Count", line.count},
                         {"Name", JsonText(line.name)},
                         {"Match", NameMatchWord(line.match)}});
  }
  return Json{{"Deck", deck}, {"Lines", std::move(lines)}, {"Skipped", imported.skipped}};
}

// What was guessed and what was not found; exact lines say nothing.
void WriteImportText(std::ostream& out, const ImportedDeck& imported) {
  for (const ImportedLine& line : imported.lines) {
    if (line.match == NameMatch::Exact) continue;
    out << line.line << ": '" << Cp1252ToUtf8(line.text) << "' -> ";
    if (line.match == NameMatch::None) {
      out << "not found, kept as written\n";
    } else {
      out << Cp1252ToUtf8(line.name) << " (" << NameMatchWord(line.match) << ")\n";
    }
  }
}

std::string ReadSource(const std::string& source) {
  if (source != "-") return ReadWholeFile(source, -1);
  std::string bytes(std::istreambuf_iterator<char>(std::cin), {});
  if (std::cin.bad()) throw IoErrorFromErrno(EIO);
  return bytes;
}

}  // namespace

CommandRunner SetupImport(CLI::App& command) {
  auto options = std::make_shared<ImportOptions>();
  command.add_option("SOURCE", options->source, "The list: a file, or - for standard input")
      ->required()
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the source may not be empty") : std::string();
      });
  command.add_option("-o,--output", options->deck, "The deck file to write")
      ->required()
      ->type_name("DECK")
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the deck may not be empty") : std::string();
      });
  command.add_flag("--force", options->force, "Replace the deck file if it exists");
  AddDataOption(command, options->dataDir);
  command.add_flag("--json", options->json, "Write JSON");
  return [options](CommandContext& context) {
    if (!options->force && FileExists(options->deck)) {
      context.err << "'" << options->deck << "' exists; use --force to replace it.\n";
      return 1;
    }
    CardDatabase db(DataFolder(context, options->dataDir));
    if (!db.CardStatExists()) return FailNoDataFile(context, options->dataDir);
    std::shared_ptr<const SuggestionIndex> cards;
    try {
      cards = SuggestionIndex::Shared(db.CardStatPath());
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardStatPath(), e.what());
    }
    std::string list;
    try {
      list = ReadSource(options->source);
    } catch (const IoError& e) {
      return FailWithFile(context, options->source, e.what());
    }
    const ImportedDeck imported = ImportDeckList(list, *cards);
    try {
      WriteDeckFile(options->deck, DeckFileBytes(imported.entries));
    } catch (const IoError& e) {
      return FailWithFile(context, options->deck, e.what());
    } catch (const DeckEditError& e) {
      context.err << Cp1252ToUtf8(e.what()) << '\n';
      return 1;
    }
    if (options->json) {
      WriteJson(context.out, ImportJson(options->deck, imported));
    } else {
      WriteImportText(context.out, imported);
    }
    return imported.AllMatched() ? 0 : kUnmatched;
  };
}

}  // namespace quillet::cli
