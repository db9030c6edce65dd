#include "core/card_data/card_database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "core/card_data/data_journal.h"
#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/safe_file.h"
#include "core/card_data/text_util.h"

namespace quillet {
namespace {

void Close(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// The shared lock on the data folder while a pair is opened; none when the
// folder cannot be opened (search permission only): the pair is then read
// unlocked rather than not at all.
void LockShared(std::optional<FolderLock>& lock, const std::string& dir) {
  try {
    lock.emplace(dir, FolderLock::kShared);
  } catch (const IoError&) {
    lock.reset();
  }
}

bool JournalThere(const std::string& dir) {
  struct stat st {};
  return ::lstat((dir + std::string(kJournalFileName)).c_str(), &st) == 0;
}

std::int64_t FileSize(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) ThrowErrno(errno);
  return st.st_size;
}

// Reads exactly `size` bytes at `offset`; false when the file ends first.
bool ReadAt(int fd, std::uint8_t* out, std::size_t size, std::int64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n =
        ::pread(fd, out + done, size - done, offset + static_cast<std::int64_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool SortsAfterIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca > cb;
  }
  return a.size() > b.size();
}

CardDatabase::CardDatabase(std::string programDir)
    : programDir_(std::move(programDir)),
      cardStatPath_(programDir_ + "CardStat.Dat"),
      cardTextPath_(programDir_ + "CardText.Dat") {
  // An update stopped between replacing its two files is finished before
  // anything is read, so no one ever reads a mixed pair; one that cannot be
  // finished here keeps the folder from being read at all.
  if (FinishDataUpdate(programDir_) == JournalOutcome::kPending) throw DataHalfUpdated(programDir_);
}

CardDatabase::~CardDatabase() {
  if (statFd_ >= 0) ::close(statFd_);
  if (textFd_ >= 0) ::close(textFd_);
}

bool CardDatabase::CardStatExists() const {
  return FileExists(cardStatPath_);
}
bool CardDatabase::CardTextExists() const {
  return FileExists(cardTextPath_);
}

void CardDatabase::OpenCardStat() {
  OpenPair(Needed::kStat);
}
void CardDatabase::OpenCardText() {
  OpenPair(Needed::kText);
}

void CardDatabase::OpenPair(Needed needed) {
  Close(statFd_);
  Close(textFd_);
  std::optional<FolderLock> lock;
  LockShared(lock, programDir_);
  // A build holds the exclusive lock from its journal to the journal's
  // removal, so a journal seen under the shared lock is one a stopped update
  // left: finished (which needs the exclusive lock, so ours goes first), or
  // the folder is not read.
  if (JournalThere(programDir_)) {
    lock.reset();
    if (FinishDataUpdate(programDir_) == JournalOutcome::kPending) {
      throw DataHalfUpdated(programDir_);
    }
    LockShared(lock, programDir_);
  }
  const auto open = [](const std::string& path, bool required) {
    try {
      return OpenRegularFile(path);
    } catch (const IoError&) {
      if (required) throw;
      return -1;
    }
  };
  statFd_ = open(cardStatPath_, needed == Needed::kStat);
  try {
    textFd_ = open(cardTextPath_, needed == Needed::kText);
  } catch (...) {
    Close(statFd_);
    throw;
  }
}

std::shared_ptr<const CardIndex> CardDatabase::SharedIndex() {
  if (statFd_ < 0) OpenCardStat();
  return CardIndex::Shared(cardStatPath_, statFd_);
}

std::shared_ptr<const CardView> CardDatabase::View(const std::vector<std::string_view>& names) {
  OpenCardStat();
  if (keepIndex_) return IndexView(SharedIndex());
  return NamesView(statFd_, names);
}

const std::uint8_t* CardDatabase::BatchRecord(std::int32_t i) const {
  return index_ ? index_->Record(i) : few_->Record(i);
}

std::int32_t CardDatabase::RecordCount() {
  if (index_) return index_->Count();
  if (few_) return few_->Count();
  if (statFd_ < 0) OpenCardStat();
  return WholeRecords(FileSize(statFd_));
}

void CardDatabase::ReadRecord(std::int32_t i) {
  if (index_ || few_) {
    if (i < 0 || i >= RecordCount()) throw IoError(kReadBeyondEnd);
    CurrentCard = DecodeRecord(BatchRecord(i));
    return;
  }
  if (statFd_ < 0) OpenCardStat();
  RecordBytes bytes;
  if (i < 0 || !ReadAt(statFd_, bytes.data(), kRecordSize, RecordOffset(i))) {
    throw IoError(kReadBeyondEnd);
  }
  CurrentCard = DecodeRecord(bytes.data());
}

bool CardDatabase::LookupCard(std::string_view name) {
  if (!index_ && !few_) OpenCardStat();  // every scan sees the file as it is now
  ReadRecord(0);
  std::int32_t start = SortsAfterIgnoringCase(name, LastFoundName) ? LastFoundPos : 0;
  bool found = false;
  if (index_ || (few_ && few_->Covers(name))) {
    if (start < 0 || start >= RecordCount()) start = 0;  // past the end: scan everything
    found = IndexedLookup(index_ ? index_->Find(name, start) : few_->Find(name, start), start);
  } else {
    found = ScanLookup(name, start);
  }
  if (found) {
    LastFoundName = std::string(name);
    LastFoundPos = CurrentCardIndex;
  }
  return found;
}

// The scan reads the file in large blocks but looks at the records one by
// one, in the order the lookup rule gives: from the start to the end, then
// from record 0 up to the start.
bool CardDatabase::ScanLookup(std::string_view name, std::int32_t start) {
  const std::int32_t count = RecordCount();
  if (start < 0 || start >= count) start = 0;  // past the end: scan everything
  constexpr std::int32_t kBlock = 512;
  std::vector<std::uint8_t> block(static_cast<std::size_t>(kBlock) * kRecordSize);

  auto scan = [&](std::int32_t from, std::int32_t to) {  // records [from, to)
    for (std::int32_t first = from; first < to; first += kBlock) {
      const std::int32_t n = std::min(kBlock, to - first);
      if (!ReadAt(statFd_, block.data(), static_cast<std::size_t>(n) * kRecordSize,
                  RecordOffset(first))) {
        throw IoError(kReadBeyondEnd);
      }
      for (std::int32_t k = 0; k < n; ++k) {
        const std::uint8_t* record = block.data() + static_cast<std::size_t>(k) * kRecordSize;
        if (StoredName(record) == name || first + k == to - 1) {
          CurrentCard = DecodeRecord(record);
          CurrentCardIndex = first + k + 1;
          if (StoredName(record) == name) return true;
        }
      }
    }
    return false;
  };
  return scan(start, count) || (start > 0 && scan(0, start));
}

bool CardDatabase::IndexedLookup(std::int32_t at, std::int32_t start) {
  // Not found: the scan's last record read is the one just before the start
  // (it wrapped round), or the last record when it started at 0.
  const bool found = at >= 0;
  if (!found) at = start > 0 ? start - 1 : RecordCount() - 1;
  ReadRecord(at);
  CurrentCardIndex = at + 1;
  return found;
}

std::string CardDatabase::ReadCardTextOf() {
  if (CurrentCard.TextStart <= 0) return {};
  if (textFd_ < 0) OpenCardText();
  const std::int64_t size = FileSize(textFd_);
  const std::int64_t first = std::int64_t{CurrentCard.TextStart} - 1;
  // A TextEnd before TextStart never stops the byte-by-byte read, which then
  // runs on to the end of the file.
  std::int64_t end = CurrentCard.TextEnd >= CurrentCard.TextStart ? CurrentCard.TextEnd : size;
  end = std::min(end, size);
  TextPos = CurrentCard.TextStart - 1;
  if (first >= end) return {};
  std::string text(static_cast<std::size_t>(end - first), '\0');
  if (!ReadAt(textFd_, reinterpret_cast<std::uint8_t*>(text.data()), text.size(), first)) {
    throw IoError(kReadBeyondEnd);
  }
  TextPos = static_cast<std::int32_t>(end);
  return text;
}

LookupBatch::LookupBatch(CardDatabase& db) : db_(db) {
  db.few_.reset();
  db.index_.reset();
  db.OpenCardStat();
  db.index_ = db.SharedIndex();
  db.batchState_ = db.index_->State();
}

LookupBatch::LookupBatch(CardDatabase& db, const std::vector<std::string_view>& names) : db_(db) {
  if (db.keepIndex_) {
    db.few_.reset();
    db.index_.reset();
    db.OpenCardStat();
    db.index_ = db.SharedIndex();
    db.batchState_ = db.index_->State();
    return;
  }
  db.index_.reset();
  db.OpenCardStat();
  db.batchState_ = StateOfOpenFile(db.statFd_);
  db.few_ = std::make_unique<NamePositions>(db.statFd_, names);
}

LookupBatch::~LookupBatch() {
  db_.index_.reset();
  db_.few_.reset();
}

}  // namespace quillet
