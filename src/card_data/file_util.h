// Small file-system helpers shared by the card tools: the program's folder,
// existence tests, and files that replace their target only when complete.
#pragma once

#include <string>

namespace quillet {

// The folder of the running executable, with its trailing separator.
std::string ProgramDir();

bool FileExists(const std::string& path);
// Removes `path`; a file that does not exist is no error. Throws IoError.
void RemoveFile(const std::string& path);
// The directory part of `path`, up to and including its last '/'; empty when
// the path has none.
std::string DirectoryPart(const std::string& path);

// A new file written beside `target` under a temporary name. Commit() makes
// it the target in one rename, so readers see either the old file or the whole
// new one; dropping the writer without Commit() removes the temporary file.
class AtomicFile {
 public:
  explicit AtomicFile(std::string target);  // throws IoError
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  int fd() const { return fd_; }
  const std::string& target() const { return target_; }
  void Commit();  // throws IoError; the target keeps its old content on failure

 private:
  std::string target_;
  std::string temp_;
  int fd_ = -1;
};

}  // namespace quillet
