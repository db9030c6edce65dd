// `quillet-cli search`: the card browser's search and filters on the command
// line. The catalogue answers the query; the cards are printed by name, one a
// line, or with --json as a list of the objects `quillet-cli card` writes.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/card_report.h"
#include "cli/commands.h"
#include "core/card_data/card_database.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/catalogue/catalogue.h"
#include "core/reader/reader_model.h"

namespace quillet::cli {
namespace {

struct SearchOptions {
  std::string text;
  bool inText = false;
  std::string dataDir;
  bool json = false;
};

struct WordFilter {
  WordKind kind;
  const char* option;
  const char* what;
  std::optional<std::string> CatalogueQuery::*field;
  CLI::Option* given = nullptr;
  std::string word;  // as typed
};

// The filter's word as card bytes, or nullopt when it was not given. A word
// the reader never shows is a wrong command line: it would silently match
// nothing.
std::optional<std::string> FilterWord(const WordFilter& filter) {
  if (filter.given->count() == 0) return std::nullopt;
  std::string bytes = CardBytes(filter.word);
  if (IsShownWord(filter.kind, bytes)) return bytes;
  std::string known;
  for (std::string_view word : ShownWords(filter.kind)) {
    if (!known.empty()) known += ", ";
    known += Cp1252ToUtf8(word);
  }
  throw UsageError(std::string(filter.option) + ": '" + filter.word + "' is no " + filter.what +
                   " the card reader shows (" + known + ")");
}

struct SilentHost : ReaderHost {
  void ShowMessage(const std::string& /*text*/) override {}
};

// Every matching card as `quillet-cli card --json` writes it. The reader
// steps to the card after the one it stands on, so it is set just before.
Json CardsJson(CardDatabase& db, const std::vector<std::uint32_t>& rows) {
  Json list = Json::array();
  if (rows.empty()) return list;
  std::string selected;
  SilentHost host;
  ReaderModel reader(db, selected, host);
  reader.FormActivate();
  for (const std::uint32_t row : rows) {
    db.CurrentCardIndex = static_cast<std::int32_t>(row) - 1;
    reader.NextButtonClick();
    list.push_back(CardJson(OwnWords(reader.view(), db.CurrentCard)));
  }
  return list;
}

}  // namespace

CommandRunner SetupSearch(CLI::App& command) {
  auto options = std::make_shared<SearchOptions>();
  auto filters = std::make_shared<std::vector<WordFilter>>(std::vector<WordFilter>{
      {WordKind::Type, "--type", "type", &CatalogueQuery::type, nullptr, {}},
      {WordKind::Domain, "--domain", "domain", &CatalogueQuery::domain, nullptr, {}},
      {WordKind::Rarity, "--rarity", "rarity", &CatalogueQuery::rarity, nullptr, {}},
      {WordKind::Keyword, "--keyword", "keyword", &CatalogueQuery::keyword, nullptr, {}},
  });
  command.add_option("TEXT", options->text,
                     "Part of the card's name, in any case (default: every card)");
  for (WordFilter& filter : *filters) {
    filter.given = command
                       .add_option(filter.option, filter.word,
                                   std::string("Only cards with the ") + filter.what +
                                       " WORD (a word the card reader shows)")
                       ->type_name("WORD");
  }
  command.add_flag("--in-text", options->inText, "Match TEXT in the rules text too");
  AddDataOption(command, options->dataDir);
  command.add_flag("--json", options->json, "Write JSON");
  return [options, filters](CommandContext& context) {
    CatalogueQuery query;
    query.text = CardBytes(options->text);
    query.inText = options->inText;
    for (const WordFilter& filter : *filters) query.*filter.field = FilterWord(filter);

    CardDatabase db(DataFolder(context, options->dataDir));
    if (!db.CardStatExists()) return FailNoDataFile(context, options->dataDir);
    Catalogue catalogue(db);
    std::vector<std::uint32_t> rows;
    Json cards;
    try {
      catalogue.Load();
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardStatPath(), e.what());
    }
    try {
      rows = catalogue.Query(query);
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardTextPath(), e.what());
    }
    if (!options->json) {
      for (const std::uint32_t row : rows) {
        context.out << Cp1252ToUtf8(catalogue.Card(row).Name.View()) << '\n';
      }
      return 0;
    }
    try {
      cards = CardsJson(db, rows);
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardStatPath(), e.what());
    }
    WriteJson(context.out, cards);
    return 0;
  };
}

}  // namespace quillet::cli
