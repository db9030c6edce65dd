// The open deck as a player reads it: its cards grouped by card type (HQ,
// assets, bases, enhancements, interventions, programs, then the names that
// were not found), one row per card with its copies, total deploy cost and
// domain, and each group's copies. The tree is built from an analysed deck
// (its found lines with their records, and the names not found), so it never
// looks a card up again; the Deck panel shows it and sorts it here.
//
// A card breaking the copy limit of the deck rules carries the rule's own
// sentence, the one the problem list shows for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_analysis.h"

namespace quillet {

enum class DeckGroupKind {
  HQ,
  Assets,
  Bases,
  Enhancements,
  Interventions,
  Programs,
  Other,
  NotFound
};

// The heading of a group: "HQ", "Assets", ..., "Other" (a card type without
// a word), "Not found".
std::string_view DeckGroupTitle(DeckGroupKind kind);

struct DeckTreeRow {
  std::string Name;                  // as the card's record stores it, or as read when not found
  std::int64_t Copies = 0;           // the counts of all its lines; 0 when not found
  std::optional<std::int64_t> Cost;  // total deploy cost; none for HQs, bases, cards not found,
                                     // and cost texts that are no number
  std::string Domain;                // the domain's word; empty for none
  std::string LimitProblem;          // the copy-limit sentence when a line breaks it
  bool Found = true;
};

struct DeckTreeGroup {
  DeckGroupKind Kind = DeckGroupKind::HQ;
  std::int64_t Copies = 0;  // the copies of its rows
  std::vector<DeckTreeRow> Rows;
};

enum class DeckTreeSort { Name, Cost, Copies };

// The groups that hold a card, in group order, their rows in name order.
// The found lines of `analysis` count; its names not found, in file order,
// make the last group, each shown once.
std::vector<DeckTreeGroup> BuildDeckTree(const DeckAnalysis& analysis);

// Orders the rows of every group by `key`, rows of the same key by name; the
// groups keep their order. A row without a cost sorts below every cost.
void SortDeckTree(std::vector<DeckTreeGroup>& tree, DeckTreeSort key, bool descending);

}  // namespace quillet
