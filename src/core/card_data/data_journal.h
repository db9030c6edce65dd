// The two data files, CardStat.Dat and CardText.Dat, describe the same cards
// and must change together: a reader that found the new texts beside the old
// records would show one card's rules under another's name. Rename cannot
// replace two files at once, so an update writes both new files completely,
// records what is to happen in a small journal file in the data folder
// (written atomically itself), renames both files and then removes the
// journal, all under the folder's exclusive lock. A journal still there means
// an update was stopped between those steps; whoever opens the data folder
// next finishes them first, so both files are the old ones or both the new
// ones, and readers (who open the pair under the shared lock) never see
// anything else.
//
// The journal is text: a first line kJournalHeader, then one step per line,
// "rename<TAB>TEMP<TAB>TARGET" or "remove<TAB>TARGET". Every name is bare:
// TARGET is CardStat.Dat or CardText.Dat in the journal's own folder, TEMP
// one of its temporary files (IsTempFileNameOf), so a folder moved or copied
// with its journal is finished where it now is, and a journal can never
// reach outside its folder except through the user's own links: a data file
// that is a link has its new file written beside the link's target, so a
// step resolves the target's links when it is applied and renames TEMP in
// the folder it ends in.
//
// Anything else called CardData.journal (garbage, another format, a FIFO, a
// folder, a link) is foreign: it is never acted on, and the first process
// that may change the folder moves it aside as CardData.journal.foreign-TIME
// so that it blocks no one, and reports that once.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

inline constexpr std::string_view kJournalFileName = "CardData.journal";
inline constexpr std::string_view kJournalHeader = "quillet data update 1";

struct JournalStep {
  std::string temp;    // bare name renamed over target; empty: target is removed
  std::string target;  // CardStat.Dat or CardText.Dat
  bool operator==(const JournalStep&) const = default;
};

// The journal's bytes for `steps`, which ParseJournal reads back. Throws
// IoError ("Invalid filename") for a step that it would not.
std::string JournalText(const std::vector<JournalStep>& steps);
// The steps of a journal, or nothing when the bytes are not a journal we
// wrote (a file that names anything else is never acted on).
std::optional<std::vector<JournalStep>> ParseJournal(std::string_view bytes);

// Writes the journal of `steps` into `dir` (ending with a separator)
// atomically. Throws IoError.
void WriteJournal(const std::string& dir, const std::vector<JournalStep>& steps);
// Carries out the journal's steps (those already done are skipped), syncing
// each folder it changed, and removes the journal. The caller holds the
// folder's exclusive lock. Throws IoError; the journal then stays for the
// next attempt.
void ApplyJournal(const std::string& dir, const std::vector<JournalStep>& steps);

// What became of the journal in a data folder.
enum class JournalOutcome {
  kNone,     // there is none (or a foreign one that could not be moved aside)
  kPending,  // one of ours is there and could not be finished
};

// Finishes an update stopped in `dir` after its journal was written, for a
// caller that already holds the folder's exclusive lock (a process never
// waits for a lock it holds itself). A foreign journal is moved aside and
// reported. Throws IoError when our journal's steps fail.
void FinishDataUpdateLocked(const std::string& dir);
// The same from any process at any time: takes the folder's exclusive lock
// first. A folder the user cannot change is left for a user who can. Never
// throws.
JournalOutcome FinishDataUpdate(const std::string& dir);
// Whether one of our journals is in `dir`, a quick look that never blocks.
bool DataUpdatePending(const std::string& dir);

// Where a foreign journal moved aside is reported: a message naming both
// paths. The command line prints it, the window shows it; by default it is
// dropped. Returns the previous receiver.
using JournalNotice = std::function<void(const std::string& message)>;
JournalNotice SetJournalNotice(JournalNotice notice);

// Thrown when the data folder is opened for reading while an update stopped
// half-way cannot be finished by this user (no write access, an immutable
// folder): the pair on disk may be mixed, and is not read at all.
class DataHalfUpdated : public std::runtime_error {
 public:
  explicit DataHalfUpdated(const std::string& dir);
};

}  // namespace quillet
