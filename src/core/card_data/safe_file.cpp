#include "core/card_data/safe_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/rename_new.h"
#include "core/card_data/temp_files.h"

namespace quillet {
namespace {

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

std::string ReadWholeFile(const std::string& path, long long maxSize) {
  FileSource file(path, maxSize);
  // Read straight into the string, growing it a block at a time: the card
  // texts run to megabytes.
  std::string bytes;
  std::size_t size = 0;
  for (;;) {
    bytes.resize(size + std::size_t{256} * 1024);
    const std::size_t n =
        file.Read(reinterpret_cast<std::uint8_t*>(bytes.data() + size), bytes.size() - size);
    if (n == 0) break;
    size += n;
  }
  bytes.resize(size);
  return bytes;
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  BufferedSink sink(file.fd());
  sink.Write(bytes);
  sink.Flush();
  file.Commit();
}

}  // namespace quillet
