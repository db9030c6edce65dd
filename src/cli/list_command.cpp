// `quillet-cli list`: analyses a deck, then builds the drill-down list of one
// field exactly as a double click on it would (a click for TopDeckAmount), and
// prints its lines or, with --json, the proposed file name and the lines.
#include <exception>
#include <ostream>

#include "card_data/text_util.h"
#include "cli/deck_command.h"
#include "cli/json_writer.h"

namespace quillet::cli {
namespace {

constexpr const char* kListUsage =
    "usage: quillet-cli list DECK FIELD [--data DIR] [--assets-only] [--cost KIND] [--json]\n"
    "       FIELD: an integer field's component name, DName or HQType\n";

}  // namespace

int RunList(const Args& args, const std::string& programDir, std::ostream& out, std::ostream& err) {
  const auto options = ParseDeckCommand(args, /*withField=*/true, programDir);
  Session session(options ? options->dataDir : programDir);
  MasterModel model(session);
  if (!options || !model.HasList(options->field)) {
    err << kListUsage;
    return 2;
  }
  if (const int code = AnalyzeForCli(*options, model, out, err)) return code;
  try {
    model.DrillDown(options->field);
  } catch (const std::exception& e) {
    err << e.what() << '\n';
    return 1;
  }
  if (options->json) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("FileName");
    json.String(Cp1252ToUtf8(model.ProposedFileName()));
    json.Key("CardList");
    json.BeginArray();
    for (const auto& line : model.CardList()) json.String(Cp1252ToUtf8(line));
    json.EndArray();
    json.EndObject();
  } else {
    for (const auto& line : model.CardList()) out << Cp1252ToUtf8(line) << '\n';
  }
  return 0;
}

}  // namespace quillet::cli
