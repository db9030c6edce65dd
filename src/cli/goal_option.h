// The --goal option that odds and hand share: a condition is written
// "K:FIELD" or "K:card=NAME", K first so that a card name may hold a colon. It is
// checked as the line is parsed (K from 1 to 8, FIELD a figure that opens a
// list), so a wrong one is a usage error before any deck is read.
#pragma once

#include <string>
#include <vector>

#include "cli/command_support.h"
#include "cli/deck_command.h"
#include "core/odds/goal_odds.h"

namespace quillet::cli {

// Adds --goal, repeatable, bound to `specs`.
CLI::Option* AddGoalOption(CLI::App& command, std::vector<std::string>& specs);

// The conditions as checked, card names as the data's bytes. Throws
// UsageError for more than kMostGoalConditions of them.
std::vector<GoalCondition> GoalConditions(const std::vector<std::string>& specs);

// A condition's group as the user writes it, in UTF-8: FIELD or card=NAME.
std::string GoalGroupText(const GoalGroup& group);

// Analyses the deck of `deck` and resolves the conditions against it into `goal`
// under `limit`; 0, or the exit code after the deck's or the goal's failure
// was reported as every deck command reports it.
int AnalyzeGoal(const DeckCommandOptions& deck, const std::vector<std::string>& specs,
                DeckPile::Limit limit, CommandContext& context, Goal& goal);

}  // namespace quillet::cli
