// How every file of ours is read and written without harm to what is there:
// reads open regular files only; writes replace their target whole or not
// at all (AtomicFile), keep links, owners and permissions, and take turns
// under file and folder locks. The temporary files a write goes through are
// named and cleaned up by temp_files.h.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Opens `path` for reading, refusing anything but a regular file (a folder,
// a device, a FIFO, a socket: "File access denied") without blocking on a
// FIFO, and a file larger than `maxSize` bytes (when given) as one no reader
// of ours would hold. A dangling link is "File not found". Returns the
// descriptor, blocking again. Throws IoError.
int OpenRegularFile(const std::string& path, long long maxSize = -1);

// The file a write of `path` replaces: `path` itself, or the file its chain
// of symbolic links ends at, so that the link stays a link. Throws IoError:
// "File not found" for a dangling link, "File access denied" for a file that
// is not regular.
std::string ResolveWriteTarget(const std::string& path);

// Refuses (IoError "File access denied") an existing `path` the user may not
// write, or one nobody may write: root passes access(2) for any file, but a
// file without write bits is meant to stay as it is, as editors treat it.
void RefuseWriteProtected(const std::string& path);

// Flushes the folder `dir` itself to disk, so that a rename or unlink done
// in it survives a power cut (as SQLite and PostgreSQL do after a rename).
// Returns false when it could not; the rename is done all the same, so this
// never throws.
bool SyncFolder(const std::string& dir);

// A lock on a folder (flock on the folder itself, so no lock file is left
// behind), held until destroyed; waits for the current holder. Exclusive for
// writers of the data files, shared for readers that open the pair. A killed
// holder's lock is released by the kernel.
class FolderLock {
 public:
  enum Mode { kExclusive, kShared };
  explicit FolderLock(const std::string& dir, Mode mode = kExclusive);  // throws IoError
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// An exclusive advisory lock on one file, held from reading it to replacing
// it, so that writers of the same file (other processes, or the window and
// a command) take turns and no edit is lost. The lock is taken on the file
// itself and retaken when a writer replaced the file meanwhile, so no lock
// file is left beside it. A file that does not exist is not locked.
class FileLock {
 public:
  explicit FileLock(const std::string& path);  // throws IoError
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

// The one way every file of ours is written. A new file is written beside
// the file it replaces (the target of a link, see ResolveWriteTarget) and
// unnamed while it is written (O_TMPFILE where the file system has it, a
// TempFileName name otherwise); Commit() names it and renames it over the
// target, so readers see either the old file or the whole new one, and
// dropping the writer without Commit() leaves nothing. The new file keeps the
// old one's owner, group and mode. A target the user may not write is
// refused, as is one that is not a regular file. An oversize write fails as
// "Disk full" instead of killing the process.
class AtomicFile {
 public:
  explicit AtomicFile(const std::string& path);  // throws IoError
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  int fd() const { return fd_; }
  // The file replaced: the path given, with its links resolved.
  const std::string& target() const { return target_; }
  // Flushes the written bytes to disk, so that a write the disk rejects late
  // fails here, before anything is replaced. Throws IoError.
  void Sync();
  // Syncs (unless done already) and gives the new file its temporary name
  // in the target's folder, which it returns; the target is unchanged. For
  // writers that replace several files together (see data_journal.h).
  const std::string& Name();
  // Leaves the named temporary file in place when the writer is dropped:
  // once a journal names it, it is the journal's to rename.
  void KeepName() { keep_ = true; }
  // Name()s (unless done already) and renames, then syncs the folder.
  // Throws IoError; the target then keeps its old content.
  void Commit();
  // As Commit(), but only when no file of the target's name exists at the
  // moment of the rename (a link without replacing): a writer that raced us
  // to create the file keeps it. Throws IoError with kFileExists then.
  void CommitNew();

 private:
  void Committed();

  std::string target_;
  std::string temp_;  // the temporary name, once it has one
  int fd_ = -1;
  bool unnamed_ = false;  // an O_TMPFILE file, not linked yet
  bool synced_ = false;
  bool keep_ = false;
};

// The program's own small files (settings, recent decks, window places)
// hold kilobytes; a larger one is not ours, and reading it (a link to an
// endless device) would stall the start.
inline constexpr long long kMaxOwnFileSize = 1024ll * 1024;

// Every byte of the regular file `path`, through FileSource with `maxSize`
// (-1: no limit). Throws IoError.
std::string ReadWholeFile(const std::string& path, long long maxSize = kMaxOwnFileSize);
// Replaces the file `path` with `bytes` through AtomicFile: all or nothing.
// Throws IoError.
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace quillet
