#include "card_data/file_util.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string_view>
#include <vector>

#include "card_data/io_error.h"

namespace quillet {

std::string ProgramDir() {
  std::vector<char> buf(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return "./";
  return DirectoryPart(std::string(buf.data(), static_cast<std::size_t>(n)));
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) ThrowErrno(errno);
}

std::string DirectoryPart(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

// The folder as open(2) needs it: "" is the current one.
std::string OpenableDir(const std::string& dir) {
  return dir.empty() ? std::string(".") : dir;
}

// mkstemp's six characters.
bool IsTempSuffix(std::string_view suffix) {
  if (suffix.size() != 6) return false;
  for (char c : suffix) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

}  // namespace

void MakeDirectories(const std::string& dir) {
  std::string path;
  std::size_t pos = 0;
  while (pos < dir.size()) {
    const std::size_t slash = dir.find('/', pos);
    const std::size_t end = slash == std::string::npos ? dir.size() : slash;
    path = dir.substr(0, end);
    pos = end + 1;
    if (path.empty() || path.back() == '/') continue;  // the root, or "//"
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) ThrowErrno(errno);
  }
  struct stat st {};
  if (::stat(OpenableDir(dir).c_str(), &st) != 0) ThrowErrno(errno);
  if (!S_ISDIR(st.st_mode)) ThrowErrno(ENOTDIR);
}

void RemoveStaleTemps(const std::string& dir, const std::string& target) {
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(OpenableDir(dir).c_str()), ::closedir);
  if (!folder) ThrowErrno(errno);
  const std::string marked = target + kTempMarker;
  const std::string bare = target + ".";
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string_view name = entry->d_name;
    if (name.starts_with(marked) ||
        (name.starts_with(bare) && IsTempSuffix(name.substr(bare.size())))) {
      stale.emplace_back(name);
    }
  }
  for (const auto& name : stale) RemoveFile(dir + name);
}

FolderLock::FolderLock(const std::string& dir) {
  fd_ = ::open(OpenableDir(dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) ThrowErrno(errno);
  int result = 0;
  do {
    result = ::flock(fd_, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int err = errno;
    ::close(fd_);
    ThrowErrno(err);
  }
}

FolderLock::~FolderLock() {
  ::close(fd_);
}  // closing releases the lock

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  std::string pattern = target_ + kTempMarker + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkstemp(name.data());
  if (fd_ < 0) ThrowErrno(errno);
  temp_ = name.data();
  // mkstemp creates the file for its owner only; give it the usual mode, or
  // that of the file it replaces.
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(target_.c_str(), &st) == 0) mode = st.st_mode & 07777;
  ::fchmod(fd_, mode);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFile::Sync() {
  if (::fsync(fd_) != 0 && errno != EINVAL) ThrowErrno(errno);
  synced_ = true;
}

void AtomicFile::Commit() {
  if (!synced_) Sync();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) ThrowErrno(errno);
  if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowErrno(errno);
  temp_.clear();
}

}  // namespace quillet
