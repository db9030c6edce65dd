#include "cli/card_name_hint.h"

#include <ostream>

#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/names/name_suggestions.h"

namespace quillet::cli {

void HintUnknownCard(const CommandContext& context, const std::string& cardStatPath,
                     const std::vector<std::string>& typed) {
  std::shared_ptr<const SuggestionIndex> cards;
  try {
    cards = SuggestionIndex::Shared(cardStatPath);
  } catch (const IoError&) {
    return;
  }
  for (const std::string& name : typed) {
    const std::string bytes = CardBytes(name);
    if (cards->Has(bytes)) continue;
    const NameSuggestions suggestions = cards->Suggest(bytes);
    context.err << '\'' << name << "' is not a card name; ";
    if (suggestions.names.empty()) {
      context.err << "no card name is near it.\n";
      return;
    }
    context.err << "did you mean: ";
    const char* separator = "";
    for (const std::string& suggestion : suggestions.names) {
      context.err << separator << Cp1252ToUtf8(suggestion);
      separator = ", ";
    }
    context.err << "?\n";
    return;
  }
}

}  // namespace quillet::cli
