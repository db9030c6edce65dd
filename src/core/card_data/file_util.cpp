#include "core/card_data/file_util.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <csignal>
#include <random>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "core/card_data/io_error.h"
#include "core/card_data/rename_new.h"

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

int LockWaiting(int fd, int how) {
  int result = 0;
  do {
    result = ::flock(fd, how);
  } while (result != 0 && errno == EINTR);
  return result;
}

// Writing past the file size limit (ulimit -f) raises SIGXFSZ, which kills
// the process with its temporary file in place; ignored, the write fails
// with EFBIG instead, which is reported as "Disk full".
void IgnoreFileSizeSignal() {
  static const bool ignored = [] {
    std::signal(SIGXFSZ, SIG_IGN);
    return true;
  }();
  (void)ignored;
}

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

// The extended attributes of `from` (POSIX ACLs are among them) given to
// `to`, so that a replaced file keeps every permission it had, no more and
// no less. Attributes the file system or the user cannot set are left out:
// a copy that may fail must not stop the write.
void CopyAttributes(int from, int to) {
  const ssize_t size = ::flistxattr(from, nullptr, 0);
  if (size <= 0) return;
  std::vector<char> names(static_cast<std::size_t>(size));
  const ssize_t got = ::flistxattr(from, names.data(), names.size());
  if (got <= 0) return;
  std::vector<char> value;
  for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
    const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
    if (length < 0) continue;
    value.resize(static_cast<std::size_t>(length));
    const ssize_t read = ::fgetxattr(from, name, value.data(), value.size());
    if (read < 0) continue;
    ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(read), 0);
  }
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

bool SyncFolder(const std::string& dir) {
  const int fd = ::open(OpenableDir(dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

int OpenRegularFile(const std::string& path, long long maxSize) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    // A socket cannot be opened at all: it is refused like any other node
    // that is not a file.
    if (errno == ENXIO) throw IoError(kFileAccessDenied);
    ThrowErrno(errno);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    ThrowErrno(err);
  }
  if (!S_ISREG(st.st_mode) || (maxSize >= 0 && st.st_size > maxSize)) {
    ::close(fd);
    throw IoError(kFileAccessDenied);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

std::string ResolveWriteTarget(const std::string& path) {
  std::string target = path;
  for (int depth = 0;; ++depth) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      if (errno == ENOENT && depth == 0) return target;  // a new file
      ThrowErrno(errno);                                 // a dangling link: File not found
    }
    if (S_ISREG(st.st_mode)) return target;
    if (!S_ISLNK(st.st_mode)) throw IoError(kFileAccessDenied);
    if (depth == 40) ThrowErrno(ELOOP);
    std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1);
    const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
    if (n < 0) ThrowErrno(errno);
    std::string link(buf.data(), static_cast<std::size_t>(n));
    if (!link.empty() && link.front() == '/') {
      target = link;
    } else {
      target = DirectoryPart(target);
      target += link;
    }
  }
}

void RefuseWriteProtected(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return;
  if (::access(path.c_str(), W_OK) != 0) ThrowErrno(errno);
  if ((st.st_mode & 0222) == 0) throw IoError(kFileAccessDenied);
}

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
  if (!folder) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(folder.get())) {
    if (IsTempFileNameOf(entry->d_name, target)) stale.emplace_back(entry->d_name);
  }
  for (const auto& name : stale) {
    if (!Held(dir + name)) ::unlink((dir + name).c_str());
  }
}

FileLock::FileLock(const std::string& path) {
  for (;;) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
      if (errno == ENOENT) return;
      ThrowErrno(errno);
    }
    if (LockWaiting(fd_, LOCK_EX) != 0) {
      const int err = errno;
      ::close(fd_);
      fd_ = -1;
      ThrowErrno(err);
    }
    // The writer we waited for may have replaced the file: our lock is then
    // on its old inode, which no one else will lock again.
    struct stat locked {};
    struct stat now {};
    if (::fstat(fd_, &locked) == 0 && ::stat(path.c_str(), &now) == 0 &&
        locked.st_ino == now.st_ino && locked.st_dev == now.st_dev) {
      return;
    }
    ::close(fd_);
    fd_ = -1;
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

FolderLock::FolderLock(const std::string& dir, Mode mode) {
  fd_ = ::open(OpenableDir(dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) ThrowErrno(errno);
  if (LockWaiting(fd_, mode == kShared ? LOCK_SH : LOCK_EX) != 0) {
    const int err = errno;
    ::close(fd_);
    ThrowErrno(err);
  }
}

FolderLock::~FolderLock() {
  ::close(fd_);
}  // closing releases the lock

AtomicFile::AtomicFile(const std::string& path) : target_(ResolveWriteTarget(path)) {
  IgnoreFileSizeSignal();
  struct stat old {};
  const bool replacing = ::stat(target_.c_str(), &old) == 0;
  if (replacing) RefuseWriteProtected(target_);
  const std::string dir = DirectoryPart(target_);
  const std::string name = target_.substr(dir.size());
  RemoveStaleTemps(dir, name);

  // An unnamed file is named through /proc when complete; without /proc it
  // could never be named.
  static const bool canName = ::access("/proc/self/fd", X_OK) == 0;
  fd_ = canName ? ::open(OpenableDir(dir).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1;
  unnamed_ = fd_ >= 0;
  if (!unnamed_) {
    // A file system without unnamed files: a named one, which the lock below
    // marks as live until it is renamed or removed.
    for (int attempt = 0; fd_ < 0; ++attempt) {
      std::string temp = dir + TempFileName(name);
      fd_ = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd_ >= 0) {
        temp_ = std::move(temp);
      } else if (errno != EEXIST || attempt == 100) {
        ThrowErrno(errno);
      }
    }
  }
  LockWaiting(fd_, LOCK_EX);
  if (replacing) {
    // The owner first: changing it clears the set-id bits that the mode
    // then restores. As a normal user only the group may change, and not
    // even that always; the file is then the user's, as any editor leaves it.
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
      [[maybe_unused]] const int grouped = ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
    }
    ::fchmod(fd_, old.st_mode & 07777);
    // After the mode: an access ACL sets the group bits to its mask.
    const int oldFd = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (oldFd >= 0) {
      CopyAttributes(oldFd, fd_);
      ::close(oldFd);
    }
  } else {
    // A new file gets the usual mode (O_TMPFILE and mkstemp make it private).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
}

AtomicFile::~AtomicFile() {
  if (!temp_.empty() && !keep_) ::unlink(temp_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

void AtomicFile::Sync() {
  if (::fsync(fd_) != 0 && errno != EINVAL) ThrowErrno(errno);
  synced_ = true;
}

const std::string& AtomicFile::Name() {
  if (!synced_) Sync();
  if (!unnamed_) return temp_;
  const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0;; ++attempt) {
    std::string name =
        DirectoryPart(target_) + TempFileName(target_.substr(DirectoryPart(target_).size()));
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp_ = std::move(name);
      unnamed_ = false;
      return temp_;
    }
    if (errno != EEXIST || attempt == 100) ThrowErrno(errno);
  }
}

void AtomicFile::Commit() {
  Name();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowErrno(errno);
  Committed();
}

void AtomicFile::CommitNew() {
  Name();
  if (!RenameNew(temp_, target_)) throw IoError(kFileExists);
  Committed();
}

void AtomicFile::Committed() {
  temp_.clear();
  // The bytes were synced before the rename, and the rename is done: a
  // failure to close now cannot take it back, so it is no failure.
  ::close(fd_);
  fd_ = -1;
  // The rename itself lives in the folder, which a power cut could lose.
  SyncFolder(DirectoryPart(target_));
}

}  // namespace quillet
