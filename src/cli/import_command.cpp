// `quillet-cli import`: a deck list in any common form, from a file or
// standard input, written as a deck file. Every card line is kept: a name
// no card has is replaced by its sure suggestion, or else written as it is
// and reported, as is every line of a sideboard, which is left out of the
// deck. Exit 0 when every line matched, 3 when some did not or some were
// left out (the deck is written all the same), 1 when nothing was written.
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"
#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/text_util.h"
#include "core/deck_edit/deck_edit.h"
#include "core/names/deck_list_import.h"

namespace quillet::cli {
namespace {

// Some line was not found as written, or was left out.
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
                         {"Text", JsonText(imported.Text(line))},
                         {"Count", line.count},
                         {"Name", JsonText(imported.Name(line))},
                         {"Match", NameMatchWord(line.match)}});
  }
  return Json{{"Deck", deck},
              {"Lines", std::move(lines)},
              {"Skipped", imported.skipped},
              {"LeftOut", imported.LeftOutNumbers()}};
}

// What was guessed, what was not found and what was left out, in the list's
// order; exact lines say nothing.
void WriteImportText(std::ostream& out, const ImportedDeck& imported) {
  auto leftOut = imported.leftOut.begin();
  const auto writeLeftOutBefore = [&](std::uint32_t line) {
    for (; leftOut != imported.leftOut.end() && leftOut->line < line; ++leftOut) {
      out << leftOut->line << ": '" << Cp1252ToUtf8(imported.Text(*leftOut))
          << "' left out (sideboard)\n";
    }
  };
  for (const ImportedLine& line : imported.lines) {
    if (line.match == NameMatch::Exact) continue;
    writeLeftOutBefore(line.line);
    out << line.line << ": '" << Cp1252ToUtf8(imported.Text(line)) << "' -> ";
    if (line.match == NameMatch::None) {
      out << "not found, kept as written\n";
    } else {
      out << Cp1252ToUtf8(imported.Name(line)) << " (" << NameMatchWord(line.match) << ")\n";
    }
  }
  writeLeftOutBefore(UINT32_MAX);
}

// Standard input as a source of bytes, read as it comes.
class StandardInput final : public ByteSource {
 public:
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(STDIN_FILENO, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) ThrowErrno(errno);
    }
  }
};

// The list, or nullopt when it is too large for one. Throws IoError.
std::optional<std::string> ReadSource(const std::string& source) {
  if (source == "-") {
    StandardInput input;
    return ReadDeckListSource(input);
  }
  FileSource file(source);
  return ReadDeckListSource(file);
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
    // A failure is said on stderr and, with --json, as {"Error": message}.
    const auto fail = [&](const std::string& message) {
      context.err << message << '\n';
      if (options->json) WriteJson(context.out, Json{{"Error", message}});
      return 1;
    };
    const std::string exists = "'" + options->deck + "' exists; use --force to replace it.";
    // Only a quick answer: the write itself decides (see WriteDeckFile).
    if (!options->force && FileExists(options->deck)) return fail(exists);
    CardDatabase db(DataFolder(context, options->dataDir));
    if (!db.CardStatExists()) return FailNoDataFile(context, options->dataDir);
    std::shared_ptr<const SuggestionIndex> cards;
    try {
      cards = SuggestionIndex::Shared(db.CardStatPath());
    } catch (const IoError& e) {
      return fail(db.CardStatPath() + ": " + e.what());
    }
    std::optional<std::string> list;
    try {
      list = ReadSource(options->source);
    } catch (const IoError& e) {
      return fail(options->source + ": " + e.what());
    }
    if (!list) return fail(options->source + ": " + std::string(kDeckListTooLarge));
    const ImportedDeck imported = ImportDeckList(std::move(*list), *cards);
    list.reset();
    if (imported.lines.empty()) return fail("'" + options->source + "' holds no card lines.");
    try {
      WriteDeckFile(options->deck, DeckFileBytes(imported.entries), options->force);
    } catch (const IoError& e) {
      if (!options->force && e.code() == kFileExists) return fail(exists);
      return fail(options->deck + ": " + e.what());
    } catch (const DeckEditError& e) {
      return fail(Cp1252ToUtf8(e.what()));
    }
    if (options->json) {
      WriteJson(context.out, ImportJson(options->deck, imported));
    } else {
      WriteImportText(context.out, imported);
    }
    return imported.AllMatched() && imported.leftOut.empty() ? 0 : kUnmatched;
  };
}

}  // namespace quillet::cli
