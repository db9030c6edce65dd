#include "core/card_data/io_error.h"

#include <cerrno>

namespace quillet {

std::string IoErrorText(int code) {
  switch (code) {
    case kFileNotFound:
      return "File not found";
    case kPathNotFound:
      return "Path not found";
    case kTooManyOpenFiles:
      return "Too many open files";
    case kFileAccessDenied:
      return "File access denied";
    case kInvalidFilename:
      return "Invalid filename";
    case kReadBeyondEnd:
      return "Read beyond end of file";
    case kDiskFull:
      return "Disk full";
    case kFileExists:
      return "File exists";
    case kNotRegularFile:
      return "not a regular file";
    case kLinkLoop:
      return "too many levels of symbolic links";
    default:
      return "I/O error " + std::to_string(code);
  }
}

IoError IoErrorFromErrno(int err) {
  switch (err) {
    case ENOENT:
      return IoError(kFileNotFound);
    case ENOTDIR:
      return IoError(kPathNotFound);
    case EMFILE:
    case ENFILE:
      return IoError(kTooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return IoError(kFileAccessDenied);
    case ENAMETOOLONG:
    case EINVAL:
      return IoError(kInvalidFilename);
    case EEXIST:
      return IoError(kFileExists);
    case ENXIO:  // a socket, or a device without its driver: nothing to read
      return IoError(kNotRegularFile);
    case ELOOP:
      return IoError(kLinkLoop);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return IoError(kDiskFull);
    default:
      return IoError(err, "I/O error " + std::to_string(err));
  }
}

void ThrowErrno(int err) {
  throw IoErrorFromErrno(err);
}

}  // namespace quillet
