// `quillet-cli odds`: the draw odds window as a table or JSON. The group is a
// figure (the lines its drill-down list shows, with --assets-only as the
// window's switch) or, with --card, every copy of one card; the rows are the
// window's, 8 to 20 cards seen, or the one row --seen asks for. With --goal
// the rows give the chance of a goal of up to four conditions instead, and
// beside it each condition's own chance.
#include <CLI/CLI.hpp>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/card_name_hint.h"
#include "cli/commands.h"
#include "cli/deck_command.h"
#include "cli/field_suggestion.h"
#include "cli/goal_option.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/odds/draw_odds.h"
#include "core/odds/goal_odds.h"

namespace quillet::cli {
namespace {

struct OddsOptions {
  DeckCommandOptions deck;
  std::string field;              // a figure's component name, or empty with --card
  std::string card;               // as typed, UTF-8
  std::vector<std::string> goal;  // the conditions as typed
  std::int64_t seen = 0;          // 0: the window's rows
};

}  // namespace

// A chance as a JSON number with one decimal, 87.2 for 872 per mille. The
// double nearest k / 10 is written back by the library as its shortest
// round-trip digits, which are exactly PerMilleText's (the tests check every
// value from 0 to 1000), and a whole number keeps its ".0".
Json PercentNumber(std::int32_t perMille) {
  return static_cast<double>(perMille) / 10.0;
}

namespace {

// The JSON shape of the odds of one group.
Json OddsJson(const std::string& fileName, const std::string& groupUtf8, const OddsGroup& group,
              const std::vector<OddsRow>& rows) {
  Json odds = Json::array();
  for (const OddsRow& row : rows) {
    Json atLeast = Json::array();
    for (const std::int32_t p : row.AtLeast) atLeast.push_back(PercentNumber(p));
    odds.push_back(Json{{"Seen", row.Seen}, {"AtLeast", atLeast}});
  }
  return Json{{"FileName", fileName},
              {"Group", groupUtf8},
              {"Copies", group.Copies},
              {"TopDeckCopies", group.TopDeckCopies},
              {"Pile", group.Pile},
              {"TopDeck", group.TopDeck},
              {"Odds", odds}};
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// The row's caption as the window words it; fewer cards than a hand are
// only a number of cards.
std::string RowCaption(std::int64_t seen) {
  if (seen >= kOpeningHand) return OddsRowCaption(seen);
  return std::to_string(seen) + (seen == 1 ? " card" : " cards");
}

void PrintOddsTable(std::ostream& out, const std::string& groupUtf8, const OddsGroup& group,
                    const std::vector<OddsRow>& rows) {
  out << groupUtf8 << ": " << group.Copies << " of " << group.Pile << " cards ("
      << group.TopDeckCopies << " of " << group.TopDeck << " top-deck)\n";
  constexpr std::size_t kCaption = 18;
  constexpr std::size_t kCell = 8;
  // "≥" is one column wide but three bytes long.
  std::string header = PadRight("Seen", kCaption);
  for (std::size_t k = 1; k <= kMostCopiesAsked; ++k) {
    header += std::string(kCell - 2, ' ') + "\u2265" + std::to_string(k);
  }
  out << header << '\n';
  for (const OddsRow& row : rows) {
    std::string line = PadRight(RowCaption(row.Seen), kCaption);
    for (const std::int32_t p : row.AtLeast) line += PadLeft(PerMilleText(p) + "%", kCell);
    out << line << '\n';
  }
}

// The JSON shape of the odds of a goal.
Json GoalJson(const std::string& fileName, const Goal& goal, const std::vector<GoalRow>& rows) {
  Json conditions = Json::array();
  for (std::size_t i = 0; i < goal.Conditions().size(); ++i) {
    const OddsGroup group = goal.ConditionGroup(i);
    conditions.push_back(Json{{"Group", GoalGroupText(goal.Conditions()[i].Group)},
                              {"AtLeast", goal.Conditions()[i].AtLeast},
                              {"Copies", group.Copies},
                              {"TopDeckCopies", group.TopDeckCopies}});
  }
  Json table = Json::array();
  for (const GoalRow& row : rows) {
    Json each = Json::array();
    for (const std::int32_t p : row.Each) each.push_back(PercentNumber(p));
    table.push_back(
        Json{{"Seen", row.Seen}, {"Chance", PercentNumber(row.Chance)}, {"Each", each}});
  }
  return Json{{"FileName", fileName},
              {"Pile", goal.PileSize()},
              {"TopDeck", goal.TopDeckSize()},
              {"Goal", conditions},
              {"Rows", table}};
}

// The conditions, numbered, then a column for the goal and one for each
// condition under its number.
void PrintGoalTable(std::ostream& out, const Goal& goal, const std::vector<GoalRow>& rows) {
  for (std::size_t i = 0; i < goal.Conditions().size(); ++i) {
    const OddsGroup group = goal.ConditionGroup(i);
    out << '#' << i + 1 << ": at least " << goal.Conditions()[i].AtLeast << " of "
        << GoalGroupText(goal.Conditions()[i].Group) << ": " << group.Copies << " of " << group.Pile
        << " cards (" << group.TopDeckCopies << " of " << group.TopDeck << " top-deck)\n";
  }
  constexpr std::size_t kCaption = 18;
  constexpr std::size_t kCell = 8;
  std::string header = PadRight("Seen", kCaption) + PadLeft("Goal", kCell);
  for (std::size_t i = 1; i <= goal.Conditions().size(); ++i) {
    header += PadLeft("#" + std::to_string(i), kCell);
  }
  out << header << '\n';
  for (const GoalRow& row : rows) {
    std::string line = PadRight(RowCaption(row.Seen), kCaption);
    line += PadLeft(PerMilleText(row.Chance) + "%", kCell);
    for (const std::int32_t p : row.Each) line += PadLeft(PerMilleText(p) + "%", kCell);
    out << line << '\n';
  }
}

int RunGoalOdds(const OddsOptions& options, CommandContext& context) {
  Goal goal;
  if (const int code =
          AnalyzeGoal(options.deck, options.goal, DeckPile::Limit::kOdds, context, goal)) {
    return code;
  }
  const std::vector<GoalRow> rows =
      options.seen > 0 ? std::vector<GoalRow>{goal.Row(options.seen)} : goal.Table();
  if (options.deck.json) {
    WriteJson(context.out, GoalJson(options.deck.deck, goal, rows));
  } else {
    PrintGoalTable(context.out, goal, rows);
  }
  return 0;
}

}  // namespace

CommandRunner SetupOdds(CLI::App& command) {
  auto options = std::make_shared<OddsOptions>();
  AddDeckArgument(command, options->deck.deck, "DECK");
  CLI::Option* field =
      command
          .add_option("FIELD", options->field,
                      "An integer field's component name (quillet-cli fields lists them) "
                      "whose list makes the group")
          ->check([](const std::string& name) {
            // Whether a field opens a list does not depend on the data.
            return MainView::HasList(name) ? std::string() : UnknownFieldMessage(name);
          });
  CLI::Option* card =
      command.add_option("--card", options->card, "The group is every copy of this card")
          ->type_name("NAME")
          ->excludes(field);
  CLI::Option* seen =
      command.add_option("--seen", options->seen, "Only the row for N cards seen")->type_name("N");
  WholeNumberOption(*seen, 1, std::numeric_limits<std::int64_t>::max());
  CLI::Option* goal = AddGoalOption(command, options->goal)->excludes(field)->excludes(card);
  AddDataOption(command, options->deck.dataDir);
  command
      .add_flag("--assets-only", options->deck.assetsOnly,
                "Count assets only in the domain figures")
      ->excludes(card);
  AddCostOption(command, options->deck.costKind);
  command.get_option("--cost")->excludes(card);
  command.add_flag("--json", options->deck.json, "Write JSON");
  return [options, card, goal](CommandContext& context) {
    if (goal->count() > 0) return RunGoalOdds(*options, context);
    const bool byCard = card->count() > 0;
    if (!byCard && options->field.empty()) {
      throw UsageError("a FIELD, --card NAME or --goal SPEC is required");
    }
    AnalysedDeck analysed(DataFolder(context, options->deck.dataDir));
    if (const int code = AnalyzeForCli(options->deck, analysed, context)) return code;
    std::optional<OddsGroup> group;
    try {
      group = byCard ? CardOddsGroup(analysed.Analysis(), analysed.db, CardBytes(options->card))
                     : FigureOddsGroup(analysed.Analysis(), options->field);
    } catch (const OddsError& e) {
      const int code = FailDeckCommand(options->deck, context, Cp1252ToUtf8(e.what()));
      if (byCard && e.what() == kNoSuchCard)
        HintUnknownCard(context, analysed.db.CardStatPath(), {options->card});
      return code;
    } catch (const IoError& e) {
      return FailDeckCommand(options->deck, context,
                             analysed.db.CardStatPath() + ": " + Cp1252ToUtf8(e.what()));
    }
    if (!group) throw UsageError(UnknownFieldMessage(options->field));
    const std::vector<OddsRow> rows = options->seen > 0
                                          ? std::vector<OddsRow>{DrawOddsRow(*group, options->seen)}
                                          : DrawOddsTable(*group);
    const std::string name = byCard ? Cp1252ToUtf8(CardBytes(options->card)) : options->field;
    if (options->deck.json) {
      WriteJson(context.out, OddsJson(options->deck.deck, name, *group, rows));
    } else {
      PrintOddsTable(context.out, name, *group, rows);
    }
    return 0;
  };
}

}  // namespace quillet::cli
