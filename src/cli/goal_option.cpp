#include "cli/goal_option.h"

#include <CLI/CLI.hpp>
#include <optional>

#include "cli/card_name_hint.h"
#include "cli/field_suggestion.h"
#include "core/analysis/main_view.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/odds/draw_odds.h"

namespace quillet::cli {
namespace {

constexpr std::string_view kCardPrefix = "card=";

// A condition's k, or nullopt when the text before the first colon is not a
// whole number from 1 to kMostGoalCopies. Like every number on the command
// line it is decimal digits, leading zeros ignored ("08" is eight).
std::optional<std::int32_t> SpecCopies(const std::string& spec, std::size_t colon) {
  if (colon == std::string::npos || colon == 0) return std::nullopt;
  const std::string_view k = std::string_view(spec).substr(0, colon);
  if (k.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  const std::size_t first = k.find_first_not_of('0');
  // More than one significant digit is already beyond the largest K.
  static_assert(kMostGoalCopies < 10);
  if (first == std::string_view::npos || k.size() - first != 1) return std::nullopt;
  const std::int32_t copies = k[first] - '0';
  return copies <= kMostGoalCopies ? std::optional<std::int32_t>(copies) : std::nullopt;
}

// The card names of the conditions, as typed.
std::vector<std::string> TypedCardNames(const std::vector<std::string>& specs) {
  std::vector<std::string> names;
  for (const std::string& spec : specs) {
    const std::string group = spec.substr(spec.find(':') + 1);
    if (group.starts_with(kCardPrefix)) names.push_back(group.substr(kCardPrefix.size()));
  }
  return names;
}

}  // namespace

CLI::Option* AddGoalOption(CLI::App& command, std::vector<std::string>& specs) {
  const std::string copies = "1 to " + std::to_string(kMostGoalCopies);
  return command
      .add_option("--goal", specs,
                  "A condition of the goal: at least K (" + copies +
                      ") copies of a figure's cards (K:FIELD) or of one card (K:card=NAME); "
                      "give it up to " +
                      std::to_string(kMostGoalConditions) + " times")
      ->type_name("SPEC")
      ->allow_extra_args(false)
      ->check([copies](const std::string& spec) {
        const std::size_t colon = spec.find(':');
        if (colon == std::string::npos || !SpecCopies(spec, colon)) {
          return "must be K:FIELD or K:card=NAME with K from " + copies;
        }
        const std::string group = spec.substr(colon + 1);
        if (group == kCardPrefix) return std::string("must name a card after card=");
        if (group.starts_with(kCardPrefix)) return std::string();
        // Whether a field opens a list does not depend on the data.
        return MainView::HasList(group) ? std::string() : UnknownFieldMessage(group);
      });
}

std::vector<GoalCondition> GoalConditions(const std::vector<std::string>& specs) {
  if (specs.size() > kMostGoalConditions) {
    throw UsageError("a goal has at most " + std::to_string(kMostGoalConditions) +
                     " conditions (--goal)");
  }
  std::vector<GoalCondition> conditions;
  for (const std::string& spec : specs) {
    const std::size_t colon = spec.find(':');
    GoalCondition condition;
    condition.AtLeast = SpecCopies(spec, colon).value_or(1);
    std::string group = spec.substr(colon + 1);
    if (group.starts_with(kCardPrefix)) {
      condition.Group = {true, CardBytes(group.substr(kCardPrefix.size()))};
    } else {
      condition.Group = {false, std::move(group)};
    }
    conditions.push_back(std::move(condition));
  }
  return conditions;
}

std::string GoalGroupText(const GoalGroup& group) {
  if (!group.IsCard) return group.Name;
  return std::string(kCardPrefix) + Cp1252ToUtf8(group.Name);
}

int AnalyzeGoal(const DeckCommandOptions& deck, const std::vector<std::string>& specs,
                DeckPile::Limit limit, CommandContext& context, Goal& goal) {
  const std::vector<GoalCondition> conditions = GoalConditions(specs);
  AnalysedDeck analysed(DataFolder(context, deck.dataDir));
  if (const int code = AnalyzeForCli(deck, analysed, context)) return code;
  try {
    goal = ResolveGoal(analysed.Analysis(), analysed.db, conditions, limit);
  } catch (const OddsError& e) {
    const int code = FailDeckCommand(deck, context, Cp1252ToUtf8(e.what()));
    if (e.what() == kNoSuchCard) {
      HintUnknownCard(context, analysed.db.CardStatPath(), TypedCardNames(specs));
    }
    return code;
  } catch (const IoError& e) {
    return FailDeckCommand(deck, context,
                           analysed.db.CardStatPath() + ": " + Cp1252ToUtf8(e.what()));
  }
  return 0;
}

}  // namespace quillet::cli
