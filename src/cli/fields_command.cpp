// `quillet-cli fields`: every integer field of the main window in window
// order, by the component name the other commands take (list, odds,
// analyze --json) and the words the window names it by, so a user who knows
// the caption finds the name to type.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "core/analysis/field_names.h"
#include "core/analysis/main_view.h"
#include "core/card_data/text_util.h"

namespace quillet::cli {
namespace {

// The JSON shape of the field list.
Json FieldsJson() {
  Json fields = Json::array();
  for (const MasterField& field : MasterFields()) {
    fields.push_back(
        Json{{"Field", field.name}, {"Caption", JsonText(FieldDisplayName(field.name))}});
  }
  return fields;
}

}  // namespace

CommandRunner SetupFields(CLI::App& command) {
  auto json = std::make_shared<bool>(false);
  command.add_flag("--json", *json, "Write JSON");
  return [json](CommandContext& context) {
    if (*json) {
      WriteJson(context.out, FieldsJson());
      return 0;
    }
    std::size_t width = 0;
    for (const MasterField& field : MasterFields()) width = std::max(width, field.name.size());
    for (const MasterField& field : MasterFields()) {
      context.out << field.name << std::string(width + 2 - field.name.size(), ' ')
                  << Cp1252ToUtf8(FieldDisplayName(field.name)) << '\n';
    }
    return 0;
  };
}

}  // namespace quillet::cli
