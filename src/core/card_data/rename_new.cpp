#include "core/card_data/rename_new.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

#include <cerrno>

#include "core/card_data/io_error.h"

namespace quillet {

bool RenameNew(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS) ThrowErrno(errno);
  // RENAME_NOREPLACE is not on every file system. A hard link fails just as
  // surely when the name exists, and the old name is then dropped.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  if (errno != EPERM) ThrowErrno(errno);
  // A folder cannot be linked. Our callers hold the folder's lock, so only
  // the user could race this look before the rename.
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return false;
  if (::rename(from.c_str(), to.c_str()) != 0) ThrowErrno(errno);
  return true;
}

}  // namespace quillet
