#include "core/card_data/data_journal.h"

#include <unistd.h>

#include <cerrno>

#include "core/card_data/byte_source.h"
#include "core/card_data/file_util.h"
#include "core/card_data/io_error.h"

namespace quillet {
namespace {

// A journal is a few short lines; anything larger is not one.
constexpr long long kMaxJournalSize = 4096;

bool IsDataFile(std::string_view path) {
  if (path.empty() || path.front() != '/' || path.find('\n') != std::string_view::npos) {
    return false;
  }
  const std::string_view name = path.substr(path.rfind('/') + 1);
  return name == "CardStat.Dat" || name == "CardText.Dat";
}

bool IsTempOf(std::string_view temp, std::string_view target) {
  const std::size_t tempDir = temp.rfind('/') + 1;
  const std::size_t targetDir = target.rfind('/') + 1;
  return temp.substr(0, tempDir) == target.substr(0, targetDir) &&
         IsTempFileNameOf(temp.substr(tempDir), target.substr(targetDir));
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
      const auto words = Words(line);
      if (words.size() == 3 && words[0] == "rename" && IsDataFile(words[2]) &&
          IsTempOf(words[1], words[2])) {
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
  AtomicFile file(dir + std::string(kJournalFileName));
  BufferedSink sink(file.fd());
  sink.Write(JournalText(steps));
  sink.Flush();
  file.Commit();
}

void ApplyJournal(const std::string& dir, const std::vector<JournalStep>& steps) {
  for (const JournalStep& step : steps) {
    if (step.temp.empty()) {
      RemoveFile(step.target);
      continue;
    }
    // A temporary file that is gone was renamed before the stop.
    if (::rename(step.temp.c_str(), step.target.c_str()) != 0 && errno != ENOENT) {
      ThrowErrno(errno);
    }
  }
  RemoveFile(dir + std::string(kJournalFileName));
}

void FinishDataUpdate(const std::string& dir) {
  const std::string journal = dir + std::string(kJournalFileName);
  if (::access(journal.c_str(), F_OK) != 0) return;  // the usual case: nothing to finish
  try {
    const FolderLock lock(dir);
    std::string bytes;
    {
      FileSource source(journal, kMaxJournalSize);
      std::uint8_t buffer[kMaxJournalSize + 1];
      while (const std::size_t n = source.Read(buffer, sizeof buffer)) {
        bytes.append(reinterpret_cast<const char*>(buffer), n);
      }
    }
    if (const auto steps = ParseJournal(bytes)) ApplyJournal(dir, *steps);
  } catch (const IoError&) {
    // Gone meanwhile (another process finished it), or not ours to finish.
  }
}

}  // namespace quillet
