#include "cli/goal_option.h"

#include <CLI/CLI.hpp>
#include <optional>

#include "cli/field_suggestion.h"
#include "core/analysis/master_model.h"
#include "core/analysis/session.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "core/odds/draw_odds.h"

namespace quillet::cli {
namespace {

constexpr std::string_view kCardPrefix = "card=";

// A condition's k, or nullopt when the text before the first colon is not a
// whole number from 1 to kMostGoalCopies.
std::optional<std::int32_t> SpecCopies(const std::string& spec, std::size_t colon) {
  if (colon != 1 || spec[0] < '1' || spec[0] > '0' + kMostGoalCopies) return std::nullopt;
  return spec[0] - '0';
}

}  // namespace

CLI::Option* AddGoalOption(CLI::App& command, std::vector<std::string>& specs) {
  return command
      .add_option("--goal", specs,
                  "A condition of the goal: at least K (1 to 8) copies of a figure's cards "
                  "(K:FIELD) or of one card (K:card=NAME); give it up to 4 times")
      ->type_name("SPEC")
      ->allow_extra_args(false)
      ->check([](const std::string& spec) {
        const std::size_t colon = spec.find(':');
        if (colon == std::string::npos || !SpecCopies(spec, colon)) {
          return std::string("must be K:FIELD or K:card=NAME with K from 1 to 8");
        }
        const std::string group = spec.substr(colon + 1);
        if (group.starts_with(kCardPrefix)) return std::string();
        // Whether a field opens a list does not depend on the data.
        Session session("");
        return MasterModel(session).HasList(group) ? std::string() : UnknownFieldMessage(group);
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
  Session session(DataFolder(context, deck.dataDir));
  MasterModel model(session);
  if (const int code = AnalyzeForCli(deck, model, context)) return code;
  try {
    goal = ResolveGoal(model, conditions, limit);
  } catch (const OddsError& e) {
    return FailDeckCommand(deck, context, Cp1252ToUtf8(e.what()));
  } catch (const IoError& e) {
    return FailDeckCommand(deck, context,
                           session.db.CardStatPath() + ": " + Cp1252ToUtf8(e.what()));
  }
  return 0;
}

}  // namespace quillet::cli
