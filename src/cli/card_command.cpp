// `quillet-cli card`: one card as the card reader shows it, found by its exact
// name (the reader's opening rule) or by the beginning of its name (the
// reader's Find Card). The output is the reader's boxes, decoded to UTF-8.
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "card_data/card_database.h"
#include "card_data/io_error.h"
#include "card_data/text_util.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "reader/reader_model.h"

namespace quillet::cli {
namespace {

struct CardArgs {
  std::string name;
  std::optional<std::string> find;
  std::string dataDir;
  bool json = false;
};

std::optional<CardArgs> ParseCardArgs(const Args& args, const std::string& programDir) {
  CardArgs parsed;
  parsed.dataDir = programDir;
  bool haveName = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      parsed.json = true;
    } else if (a == "--data" || a == "--find") {
      if (i + 1 >= args.size()) return std::nullopt;
      (a == "--data" ? parsed.dataDir : parsed.find.emplace()) = args[++i];
    } else if (!haveName && (a.empty() || a[0] != '-')) {
      parsed.name = a;
      haveName = true;
    } else {
      return std::nullopt;
    }
  }
  if (haveName == parsed.find.has_value()) return std::nullopt;  // exactly one of them
  // A name typed in a UTF-8 terminal is compared as the card data's
  // Windows-1252 bytes; an argument that is not UTF-8 is taken as bytes already.
  std::string& key = parsed.find ? *parsed.find : parsed.name;
  if (auto bytes = Utf8ToCp1252(key)) key = std::move(*bytes);
  parsed.dataDir = DataFolder(std::move(parsed.dataDir));
  return parsed;
}

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

void WriteJson(const ReaderView& view, std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  for (const ReaderField& field : ReaderFields()) {
    json.Key(field.name);
    json.String(Cp1252ToUtf8(view.*field.value));
  }
  json.Key("SpecialBox");
  json.BeginArray();
  for (const std::string& line : view.SpecialBox) json.String(Cp1252ToUtf8(line));
  json.EndArray();
  json.Key("CardText");
  json.String(Cp1252ToUtf8(view.CardText));
  json.EndObject();
}

}  // namespace

int RunCard(const Args& args, const std::string& programDir, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseCardArgs(args, programDir);
  if (!parsed) {
    err << "usage: quillet-cli card NAME [--data DIR] [--json]\n"
           "       quillet-cli card --find TEXT [--data DIR] [--json]\n";
    return 2;
  }
  CardDatabase db(parsed->dataDir);
  if (!db.CardStatExists()) {
    err << "You must create a data file to use this program\n";
    return 1;
  }
  std::string selected = parsed->find ? std::string() : parsed->name;
  CollectingHost host;
  ReaderModel reader(db, selected, host);
  try {
    reader.FormActivate();
    if (parsed->find) reader.SearchButtonClick(*parsed->find);
  } catch (const IoError& e) {
    err << e.what() << '\n';
    return 1;
  }
  // The reader itself falls back to the last card for an unknown name; a
  // command asked for one card must not print another.
  const bool missing =
      parsed->find ? !host.messages.empty() : reader.view().CardName != parsed->name;
  if (missing) {
    err << "No Such Card!\n";
    return 1;
  }
  if (parsed->json) {
    WriteJson(reader.view(), out);
  } else {
    WriteText(reader.view(), out);
  }
  return 0;
}

}  // namespace quillet::cli
