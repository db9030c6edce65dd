#include "core/card_data/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/card_data/io_error.h"

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

std::string OpenableDir(const std::string& dir) {
  return dir.empty() ? std::string(".") : dir;
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

}  // namespace quillet
