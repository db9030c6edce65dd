#include "core/card_data/data_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <utility>

#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/rename_new.h"
#include "core/card_data/safe_file.h"
#include "core/card_data/temp_files.h"

namespace quillet {
namespace {

// A journal is a few short lines; anything larger is not one.
constexpr long long kMaxJournalSize = 4096;

JournalNotice& Notice() {
  static JournalNotice notice;
  return notice;
}

bool IsDataFile(std::string_view name) {
  return name == "CardStat.Dat" || name == "CardText.Dat";
}

// The fields of a line between its TABs, empty ones included.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  for (;;) {
    const std::size_t tab = line.find('\t');
    words.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return words;
    line.remove_prefix(tab + 1);
  }
}

// What lies at the journal's name.
enum class Found { kNothing, kOurs, kForeign, kUnreadable };

// Reads the journal without ever blocking: a FIFO, a device, a folder, a link
// (we never write one) or an oversize file is foreign without a byte read.
Found ReadJournal(const std::string& path, std::vector<JournalStep>& steps) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Found::kNothing;
    // A link, a socket: not ours. Anything else (no read permission) cannot
    // be judged, and is left as it is.
    return errno == ELOOP || errno == ENXIO ? Found::kForeign : Found::kUnreadable;
  }
  struct stat st {};
  std::string bytes;
  bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxJournalSize;
  if (regular) {
    char buffer[kMaxJournalSize + 1];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        ::close(fd);
        return Found::kUnreadable;
      }
      if (n == 0) break;
      bytes.append(buffer, static_cast<std::size_t>(n));
      if (bytes.size() > kMaxJournalSize) break;  // grown meanwhile
    }
  }
  ::close(fd);
  if (!regular || bytes.size() > kMaxJournalSize) return Found::kForeign;
  auto parsed = ParseJournal(bytes);
  if (!parsed) return Found::kForeign;
  steps = std::move(*parsed);
  return Found::kOurs;
}

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Moves a foreign journal out of the way under a name of its own, keeping
// it for whoever made it, and reports where it went.
void MoveAside(const std::string& dir, const std::string& journal) {
  const std::string base = journal + ".foreign-" + Timestamp();
  std::string aside = base;
  for (int n = 2; !RenameNew(journal, aside); ++n) {
    if (n > 1000) throw IoError(kFileExists);
    aside = base + "-" + std::to_string(n);
  }
  SyncFolder(dir);
  if (Notice()) {
    Notice()("'" + journal + "' was not a card data journal of ours; it was moved aside to '" +
             aside + "'.");
  }
}

std::string Shown(const std::string& dir) {
  if (dir.size() > 1 && dir.back() == '/') return dir.substr(0, dir.size() - 1);
  return dir.empty() ? std::string(".") : dir;
}

}  // namespace

std::string JournalText(const std::vector<JournalStep>& steps) {
  std::string text(kJournalHeader);
  text += '\n';
  for (const JournalStep& step : steps) {
    text +=
        step.temp.empty() ? "remove\t" + step.target : "rename\t" + step.temp + "\t" + step.target;
    text += '\n';
  }
  if (ParseJournal(text) != steps) throw IoError(kInvalidFilename);
  return text;
}

std::optional<std::vector<JournalStep>> ParseJournal(std::string_view bytes) {
  if (!bytes.ends_with('\n')) return std::nullopt;  // cut short: not one we completed
  bytes.remove_suffix(1);
  std::vector<JournalStep> steps;
  bool header = true;
  while (true) {
    const std::size_t end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end);
    if (header) {
      if (line != kJournalHeader) return std::nullopt;
      header = false;
    } else {
      // Both checks rule out a '/' (and every other byte outside the names'
      // forms): the steps stay in the journal's folder.
      const auto words = Words(line);
      if (words.size() == 3 && words[0] == "rename" && IsDataFile(words[2]) &&
          IsTempFileNameOf(words[1], words[2])) {
        steps.push_back({std::string(words[1]), std::string(words[2])});
      } else if (words.size() == 2 && words[0] == "remove" && IsDataFile(words[1])) {
        steps.push_back({std::string(), std::string(words[1])});
      } else {
        return std::nullopt;
      }
      for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        if (steps[i].target == steps.back().target) return std::nullopt;
      }
    }
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return steps;
}

void WriteJournal(const std::string& dir, const std::vector<JournalStep>& steps) {
  WriteWholeFile(dir + std::string(kJournalFileName), JournalText(steps));
}

void ApplyJournal(const std::string& dir, const std::vector<JournalStep>& steps) {
  for (const JournalStep& step : steps) {
    // Resolved now, where the folder is now: the link may have been made
    // or moved since the journal was written.
    const std::string target = ResolveWriteTarget(dir + step.target);
    const std::string targetDir = DirectoryPart(target);
    if (step.temp.empty()) {
      RemoveFile(target);
    } else if (::rename((targetDir + step.temp).c_str(), target.c_str()) != 0 && errno != ENOENT) {
      // A temporary file that is gone was renamed before the stop.
      ThrowErrno(errno);
    }
    SyncFolder(targetDir);
  }
  RemoveFile(dir + std::string(kJournalFileName));
  SyncFolder(dir);
}

void FinishDataUpdateLocked(const std::string& dir) {
  const std::string journal = dir + std::string(kJournalFileName);
  std::vector<JournalStep> steps;
  switch (ReadJournal(journal, steps)) {
    case Found::kNothing:
    case Found::kUnreadable:
      return;
    case Found::kForeign:
      MoveAside(dir, journal);
      return;
    case Found::kOurs:
      ApplyJournal(dir, steps);
      return;
  }
}

JournalOutcome FinishDataUpdate(const std::string& dir) {
  const std::string journal = dir + std::string(kJournalFileName);
  struct stat st {};
  if (::lstat(journal.c_str(), &st) != 0) return JournalOutcome::kNone;  // the usual case
  try {
    const FolderLock lock(dir);
    FinishDataUpdateLocked(dir);
  } catch (const IoError&) {
    // Not ours to change (read-only, immutable): left for a user who may.
  }
  return DataUpdatePending(dir) ? JournalOutcome::kPending : JournalOutcome::kNone;
}

bool DataUpdatePending(const std::string& dir) {
  std::vector<JournalStep> steps;
  return ReadJournal(dir + std::string(kJournalFileName), steps) == Found::kOurs;
}

JournalNotice SetJournalNotice(JournalNotice notice) {
  return std::exchange(Notice(), std::move(notice));
}

DataHalfUpdated::DataHalfUpdated(const std::string& dir)
    : std::runtime_error("The card data in " + Shown(dir) +
                         " is half updated; open it once with write access to finish the update.") {
}

}  // namespace quillet
