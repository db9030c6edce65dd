// `quillet-cli diff`: the compare window on the command line. Both decks are
// analysed with the same switches, then compared by CompareDecks; the text
// form prints the window's three parts and the cards not found as sections,
// each only when it has something to say.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "core/card_data/text_util.h"
#include "core/compare/deck_comparison.h"

namespace quillet::cli {
namespace {

struct DiffOptions {
  DeckCommandOptions a;  // the switches are set on a and copied to b
  std::string deckB;
};

// The JSON shape of a comparison: names and sentences in UTF-8, the paths as
// given on the command line.
Json DiffJson(const std::string& deckA, const std::string& deckB, const DeckComparison& c) {
  Json cards = Json::array();
  for (const CardCopiesChange& card : c.Cards) {
    cards.push_back(Json{{"Name", JsonText(card.Name)}, {"A", card.A}, {"B", card.B}});
  }
  Json fields = Json::array();
  for (const FieldChange& field : c.Fields) {
    fields.push_back(Json{{"Field", std::string(field.Field)}, {"A", field.A}, {"B", field.B}});
  }
  return Json{{"A", deckA},
              {"B", deckB},
              {"Cards", cards},
              {"Fields", fields},
              {"ProblemsOnlyA", JsonTexts(c.ProblemsOnlyA)},
              {"ProblemsOnlyB", JsonTexts(c.ProblemsOnlyB)},
              {"MissingA", JsonTexts(c.MissingA)},
              {"MissingB", JsonTexts(c.MissingB)}};
}

// Columns a UTF-8 text takes in a terminal (one per character).
std::size_t Columns(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string Change(std::int64_t from, std::int64_t to) {
  const std::int64_t change = to - from;
  return change > 0 ? "+" + std::to_string(change) : std::to_string(change);
}

// Rows of a label and three figures (A, B, change), the labels padded to one
// width and the figures right-aligned.
void PrintTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths(4, 0);
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Columns(row[i]));
  }
  for (const auto& row : rows) {
    std::string line = "  " + row[0] + std::string(widths[0] - Columns(row[0]), ' ');
    for (std::size_t i = 1; i < row.size(); ++i) {
      line += "  " + std::string(widths[i] - Columns(row[i]), ' ') + row[i];
    }
    out << line << '\n';
  }
}

void PrintList(std::ostream& out, const std::string& title, const std::vector<std::string>& items) {
  if (items.empty()) return;
  out << '\n' << title << '\n';
  for (const auto& item : items) out << "  " << Cp1252ToUtf8(item) << '\n';
}

void PrintDiff(std::ostream& out, const std::string& deckA, const std::string& deckB,
               const DeckComparison& c) {
  out << "A: " << deckA << "\nB: " << deckB << '\n';
  if (!c.Cards.empty()) {
    out << "\nCards whose copies differ:\n";
    std::vector<std::vector<std::string>> rows{{"Card", "A", "B", "Change"}};
    for (const CardCopiesChange& card : c.Cards) {
      rows.push_back({Cp1252ToUtf8(card.Name), std::to_string(card.A), std::to_string(card.B),
                      Change(card.A, card.B)});
    }
    PrintTable(out, rows);
  }
  if (!c.Fields.empty()) {
    out << "\nFigures that differ:\n";
    std::vector<std::vector<std::string>> rows{{"Figure", "A", "B", "Change"}};
    for (const FieldChange& field : c.Fields) {
      const std::string unit = field.percentage ? "%" : "";
      std::string caption(field.Caption);
      if (caption.ends_with(':')) caption.pop_back();
      rows.push_back({caption + " (" + std::string(field.Field) + ")",
                      std::to_string(field.A) + unit, std::to_string(field.B) + unit,
                      Change(field.A, field.B) + unit});
    }
    PrintTable(out, rows);
  }
  PrintList(out, "Problems only in A:", c.ProblemsOnlyA);
  PrintList(out, "Problems only in B:", c.ProblemsOnlyB);
  PrintList(out, "Cards not found in A:", c.MissingA);
  PrintList(out, "Cards not found in B:", c.MissingB);
  if (c.Cards.empty() && c.Fields.empty() && c.ProblemsOnlyA.empty() && c.ProblemsOnlyB.empty() &&
      c.MissingA.empty() && c.MissingB.empty()) {
    out << "\nThe decks do not differ.\n";
  }
}

}  // namespace

CommandRunner SetupDiff(CLI::App& command) {
  auto options = std::make_shared<DiffOptions>();
  AddDeckArgument(command, options->a.deck, "DECK_A");
  AddDeckArgument(command, options->deckB, "DECK_B");
  AddDataOption(command, options->a.dataDir);
  command.add_flag("--assets-only", options->a.assetsOnly,
                   "Count assets only in the domain figures");
  AddCostOption(command, options->a.costKind);
  command.add_flag("--json", options->a.json, "Write JSON");
  return [options](CommandContext& context) {
    DeckCommandOptions optionsB = options->a;
    optionsB.deck = options->deckB;
    AnalysedDeck analysedA(DataFolder(context, options->a.dataDir));
    if (const int code = AnalyzeForCli(options->a, analysedA, context)) return code;
    AnalysedDeck analysedB(DataFolder(context, options->a.dataDir));
    if (const int code = AnalyzeForCli(optionsB, analysedB, context)) return code;
    const DeckComparison comparison = CompareDecks(analysedA.Analysis(), analysedB.Analysis());
    if (options->a.json) {
      WriteJson(context.out, DiffJson(options->a.deck, options->deckB, comparison));
    } else {
      PrintDiff(context.out, options->a.deck, options->deckB, comparison);
    }
    return 0;
  };
}

}  // namespace quillet::cli
