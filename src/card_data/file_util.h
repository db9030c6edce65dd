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
// Creates `dir` and any missing parents (mkdir -p), each new one for its owner
// only, as the XDG base directory rules ask. Throws IoError.
void MakeDirectories(const std::string& dir);

// The marker in the names of AtomicFile's temporary files: `target` + marker +
// six random characters. The name tells a left-over file for what it is.
inline constexpr const char* kTempMarker = ".partial-";

// Removes the temporary files that writers of `target` (a file name in `dir`)
// left behind when they were killed: names with kTempMarker, and the bare
// `target.XXXXXX` names of earlier versions. Only safe while a FolderLock on
// `dir` keeps every other writer of `target` out. Throws IoError.
void RemoveStaleTemps(const std::string& dir, const std::string& target);

// An exclusive lock on a folder (flock on the folder itself, so no lock file
// is left behind), held until destroyed; waits for the current holder. A
// killed holder's lock is released by the kernel.
class FolderLock {
 public:
  explicit FolderLock(const std::string& dir);  // throws IoError
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// A new file written beside `target` under a temporary name (see kTempMarker). Commit() makes
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
