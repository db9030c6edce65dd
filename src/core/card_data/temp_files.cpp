#include "core/card_data/temp_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/card_data/paths.h"

namespace quillet {
namespace {

bool IsAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Eight hex digits naming a target among the files of its folder (FNV-1a).
std::string TargetTag(std::string_view targetName) {
  std::uint32_t hash = 2166136261u;
  for (const char c : targetName) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string tag(8, '0');
  for (int i = 7; i >= 0; --i, hash >>= 4) tag[static_cast<std::size_t>(i)] = kHex[hash & 15];
  return tag;
}

std::string RandomSuffix() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937_64 random(std::random_device{}() ^ ::getpid());
  std::string suffix(8, 'x');
  for (char& c : suffix) c = kChars[random() % (sizeof kChars - 1)];
  return suffix;
}

// Whether a process holds the file open with a lock: a live writer's
// temporary file. A file that cannot be opened counts as held, so it is
// left alone rather than removed blindly.
bool Held(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return errno != ENOENT;
  struct stat st {};
  // Only a regular file is ever ours to remove: a folder or a FIFO that
  // happens to have a temporary file's name counts as held.
  const bool held =
      ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

}  // namespace

std::string TempFileName(std::string_view targetName) {
  return std::string(kTempPrefix) + TargetTag(targetName) + "-" + RandomSuffix();
}

bool IsTempFileNameOf(std::string_view name, std::string_view targetName) {
  if (name.size() != kTempNameSize || !name.starts_with(kTempPrefix)) return false;
  name.remove_prefix(kTempPrefix.size());
  if (name.substr(0, 8) != TargetTag(targetName) || name[8] != '-') return false;
  const std::string_view random = name.substr(9);
  return std::all_of(random.begin(), random.end(), IsAlnum);
}

void RemoveStaleTemps(const std::string& dir, const std::string& target) {
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(OpenableDir(dir).c_str()), ::closedir);
  if (!folder) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(folder.get())) {
    if (IsTempFileNameOf(entry->d_name, target)) stale.emplace_back(entry->d_name);
  }
  for (const auto& name : stale) {
    if (!Held(dir + name)) ::unlink((dir + name).c_str());
  }
}

}  // namespace quillet
