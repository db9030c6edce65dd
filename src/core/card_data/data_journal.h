// The two data files, CardStat.Dat and CardText.Dat, describe the same cards
// and must change together: a reader that found the new texts beside the old
// records would show one card's rules under another's name. Rename cannot
// replace two files at once, so an update writes both new files completely,
// records what is to happen in a small journal file in the data folder
// (written atomically itself), renames both files and then removes the
// journal. A journal still there means an update was stopped between those
// steps; whoever opens the data folder next finishes them first
// (FinishDataUpdate), so both files are the old ones or both the new ones.
//
// The journal is text: a first line kJournalHeader, then one step per line,
// "rename<TAB>TEMP<TAB>TARGET" or "remove<TAB>TARGET", each an absolute path
// (a data file may be a link into another folder, and its new file is then
// written there). TARGET is a data file by name, TEMP one of its temporary
// files, so a journal can never move anything else.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

inline constexpr std::string_view kJournalFileName = "CardData.journal";
inline constexpr std::string_view kJournalHeader = "quillet data update 1";

struct JournalStep {
  std::string temp;    // renamed over target; empty: target is removed
  std::string target;  // a CardStat.Dat or CardText.Dat
  bool operator==(const JournalStep&) const = default;
};

// The journal's bytes for `steps`, which ParseJournal reads back. Throws
// IoError ("Invalid filename") for a step that it would not.
std::string JournalText(const std::vector<JournalStep>& steps);
// The steps of a journal, or nothing when the bytes are not a journal we
// wrote (a file that names anything else is never acted on).
std::optional<std::vector<JournalStep>> ParseJournal(std::string_view bytes);

// Writes the journal of `steps` into `dir` atomically. Throws IoError.
void WriteJournal(const std::string& dir, const std::vector<JournalStep>& steps);
// Carries out the journal's steps (those already done are skipped) and
// removes it. Throws IoError; the journal then stays for the next attempt.
void ApplyJournal(const std::string& dir, const std::vector<JournalStep>& steps);

// Finishes an update stopped in `dir` after its journal was written. Safe to
// call from any process at any time: it takes the folder's lock first. A
// folder the user cannot change is left for a user who can; a journal that
// is not ours is left alone. Never throws.
void FinishDataUpdate(const std::string& dir);

}  // namespace quillet
