#include "core/card_data/card_index.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include "core/card_data/card_record.h"
#include "core/card_data/io_error.h"

namespace quillet {
namespace {

CardFileState StateOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

// FNV-1a: names are short and the index is built once per state.
std::uint64_t HashName(std::string_view name) {
  std::uint64_t h = 14695981039346656037ull;
  for (char c : name) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

// The pass over the map tests every record against a bit set of these
// before it compares names: a mix of the length and the first and last
// eight bytes, so that names sharing a prefix and a length (whole editions
// do) still pass the test rarely.
constexpr int kQuickKeyBits = 16;

std::uint64_t Load8(const char* bytes, std::size_t n) {
  std::uint64_t value = 0;
  if (n >= 8) {
    std::memcpy(&value, bytes, 8);
  } else {
    std::memcpy(&value, bytes, n);
  }
  return value;
}

std::size_t QuickKey(std::string_view name) {
  const std::size_t n = name.size();
  const std::uint64_t head = Load8(name.data(), n);
  const std::uint64_t tail = n > 8 ? Load8(name.data() + n - 8, 8) : 0;
  std::uint64_t h = head * 0x9E3779B97F4A7C15ull ^ tail * 0xC2B2AE3D27D4EB4Full ^ n;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  return static_cast<std::size_t>(h >> (64 - kQuickKeyBits));
}

int OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowErrno(errno);
  return fd;
}

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() { ::close(fd_); }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

}  // namespace

CardFileState StateOfOpenFile(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) ThrowErrno(errno);
  return StateOf(st);
}

std::optional<CardFileState> StateOfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return StateOf(st);
}

std::int32_t FindFrom(std::span<const std::int32_t> positions, std::int32_t start) {
  if (positions.empty()) return -1;
  const auto after = std::lower_bound(positions.begin(), positions.end(), start);
  return after != positions.end() ? *after : positions.front();
}

std::string_view StoredName(const std::uint8_t* record) {
  return {reinterpret_cast<const char*>(record + 1), std::min<std::size_t>(record[0], kNameWidth)};
}

CardIndex::CardIndex(int fd) : state_(StateOfOpenFile(fd)), count_(WholeRecords(state_.size)) {
  bytes_.resize(static_cast<std::size_t>(count_) * kRecordSize);
  std::size_t done = 0;
  while (done < bytes_.size()) {
    const ssize_t n =
        ::pread(fd, bytes_.data() + done, bytes_.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno(errno);
    if (n == 0) throw IoError(kReadBeyondEnd);  // shrunk while being read
    done += static_cast<std::size_t>(n);
  }
  std::size_t size = 16;
  while (size < static_cast<std::size_t>(count_) * 2) size *= 2;
  slots_.assign(size, -1);
  next_.assign(static_cast<std::size_t>(count_), -1);
  // From the last record back, so that each name's slot ends on its first
  // record and its chain runs in file order.
  for (std::int32_t i = count_ - 1; i >= 0; --i) {
    const std::size_t slot = SlotOf(StoredName(Record(i)));
    next_[static_cast<std::size_t>(i)] = slots_[slot];
    slots_[slot] = i;
  }
}

std::size_t CardIndex::SlotOf(std::string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = HashName(name) & mask;; slot = (slot + 1) & mask) {
    const std::int32_t at = slots_[slot];
    if (at < 0 || StoredName(Record(at)) == name) return slot;
  }
}

std::int32_t CardIndex::Find(std::string_view name, std::int32_t start) const {
  if (name.size() > kNameWidth) return -1;
  const std::int32_t first = slots_[SlotOf(name)];
  if (first < 0) return -1;
  // Chains are short (a name held more than once), so they are walked.
  for (std::int32_t at = first; at >= 0; at = next_[static_cast<std::size_t>(at)]) {
    if (at >= start) return at;
  }
  return first;
}

std::shared_ptr<const CardIndex> CardIndex::Shared(const std::string& path) {
  const int fd = OpenForReading(path);
  FdCloser closer(fd);
  return Shared(path, fd);
}

std::shared_ptr<const CardIndex> CardIndex::Shared(const std::string& path, int fd) {
  // One thread reads cards today; the lock keeps the cache sound if that
  // changes.
  static std::mutex lock;
  static std::map<std::string, std::shared_ptr<const CardIndex>> byPath;
  const CardFileState state = StateOfOpenFile(fd);
  std::lock_guard guard(lock);
  auto& index = byPath[path];
  if (!index || index->State() != state) {
    index.reset();  // the old state's memory goes before the new one is read
    index = std::make_shared<const CardIndex>(fd);
  }
  return index;
}

NamePositions::NamePositions(int fd, const std::vector<std::string_view>& names) {
  count_ = WholeRecords(StateOfOpenFile(fd).size);
  mapSize_ = static_cast<std::size_t>(count_) * kRecordSize;
  if (mapSize_ > 0) {
    void* map = ::mmap(nullptr, mapSize_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (map == MAP_FAILED) ThrowErrno(errno);
    map_ = static_cast<const std::uint8_t*>(map);
    ::madvise(map, mapSize_, MADV_SEQUENTIAL);
  }
  auto wanted = std::make_unique<std::bitset<std::size_t{1} << kQuickKeyBits>>();
  for (std::string_view name : names) {
    positions_.try_emplace(std::string(name));
    if (name.size() > kNameWidth) continue;  // no record holds so long a name
    wanted->set(QuickKey(name));
  }
  for (std::int32_t i = 0; i < count_; ++i) {
    const std::string_view name = StoredName(Record(i));
    if (!wanted->test(QuickKey(name))) continue;
    if (const auto it = positions_.find(name); it != positions_.end()) {
      it->second.push_back(i);
    }
  }
}

NamePositions::~NamePositions() {
  if (map_) ::munmap(const_cast<std::uint8_t*>(map_), mapSize_);
}

std::int32_t NamePositions::Find(std::string_view name, std::int32_t start) const {
  const auto it = positions_.find(name);
  return it == positions_.end() ? -1 : FindFrom(it->second, start);
}

}  // namespace quillet
