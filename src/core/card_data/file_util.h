// Small file-system helpers shared by the card tools: the program's folder,
// existence tests, and files that replace their target only when complete.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

// The temporary files of our writers are named in a form no person would
// choose, of one fixed length whatever the target's name (a target name near
// the 255-byte limit still has room for its temporary file beside it):
// kTempPrefix, eight hex digits naming the target (a hash of its bare name),
// a '-' and eight random letters or digits. Only files of this form are ever
// removed as left-overs, and only when no process holds them.
inline constexpr std::string_view kTempPrefix = ".quillet-partial-";
inline constexpr std::size_t kTempNameSize = kTempPrefix.size() + 8 + 1 + 8;

// A new temporary file name (bare, without folder) for the target named
// `targetName` (bare, without folder).
std::string TempFileName(std::string_view targetName);
// Whether the bare `name` is one TempFileName(targetName) can give.
bool IsTempFileNameOf(std::string_view name, std::string_view targetName);

// Removes the temporary files that writers of `target` (a bare file name in
// `dir`) left behind when they were killed: regular files whose names
// IsTempFileNameOf gives and that no process holds (AtomicFile locks its own
// from its creation to its rename). Anything else of the folder, whatever
// its name, is left alone. A folder that cannot be listed holds nothing we
// could remove. Never throws.
void RemoveStaleTemps(const std::string& dir, const std::string& target);

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

}  // namespace quillet
