#include "card_data/file_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  std::string pattern = target_ + ".XXXXXX";
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
