// `quillet-cli card`: one card as the card reader shows it, found by its exact
// name (the reader's opening rule) or by the beginning of its name (the
// reader's Find Card). The output is the reader's boxes, decoded to UTF-8.
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
#include "core/reader/reader_model.h"

namespace quillet::cli {
namespace {

struct CardOptions {
  std::string name;
  std::string find;
  std::string dataDir;
  bool json = false;
};

struct CollectingHost : ReaderHost {
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

void WriteText(const ReaderView& view, std::ostream& out) {
  for (const ReaderField& field : ReaderFields()) {
    out << field.caption << ' ' << Cp1252ToUtf8(view.*field.value) << '\n';
  }
  out << "Special:\n";
  for (const std::string& line : view.SpecialBox) out << "  " << Cp1252ToUtf8(line) << '\n';
  out << "Text:\n" << Cp1252ToUtf8(view.CardText) << '\n';
}

}  // namespace

CommandRunner SetupCard(CLI::App& command) {
  auto options = std::make_shared<CardOptions>();
  CLI::Option* name = command.add_option("NAME", options->name, "The card's exact name");
  CLI::Option* find =
      command.add_option("--find", options->find, "The first card whose name begins with TEXT")
          ->type_name("TEXT");
  name->excludes(find);
  AddDataOption(command, options->dataDir);
  command.add_flag("--json", options->json, "Write JSON");
  return [options, name, find](CommandContext& context) {
    if (name->count() == 0 && find->count() == 0)
      throw UsageError("NAME or --find TEXT is required");
    const bool finding = find->count() > 0;
    const std::string key = CardBytes(finding ? options->find : options->name);

    CardDatabase db(DataFolder(context, options->dataDir));
    if (!db.CardStatExists()) return FailNoDataFile(context, options->dataDir);
    std::string selected = finding ? std::string() : key;
    CollectingHost host;
    ReaderModel reader(db, selected, host);
    try {
      reader.FormActivate();
      if (finding) reader.SearchButtonClick(key);
    } catch (const IoError& e) {
      return FailWithFile(context, db.CardStatPath(), e.what());
    }
    // The reader itself falls back to the last card for an unknown name; a
    // command asked for one card must not print another.
    const bool missing = finding ? !host.messages.empty() : reader.view().CardName != key;
    if (missing) {
      context.err << "No Such Card!\n";
      return 1;
    }
    const ReaderView view = OwnWords(reader.view(), db.CurrentCard);
    if (options->json) {
      WriteJson(context.out, CardJson(view));
    } else {
      WriteText(view, context.out);
    }
    return 0;
  };
}

}  // namespace quillet::cli
