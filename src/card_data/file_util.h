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
  // Flushes the written bytes to disk, so that a write the disk rejects late
  // fails here, before anything is replaced. Throws IoError.
  void Sync();
  // Syncs (unless done already) and renames. Throws IoError; the target then
  // keeps its old content.
  void Commit();

 private:
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  bool synced_ = false;
};

}  // namespace quillet
