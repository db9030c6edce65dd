// Failed file operations are raised as IoError, carrying the text the user
// sees in the message box ("File not found", "Disk full", ...). The codes
// are the run-time library's I/O result codes, so "I/O error %d" names the
// same numbers users of the card tools know.
#pragma once

#include <stdexcept>
#include <string>

namespace quillet {

enum IoCode : int {
  kFileNotFound = 2,
  kPathNotFound = 3,
  kTooManyOpenFiles = 4,
  kFileAccessDenied = 5,
  kInvalidFilename = 123,
  kReadBeyondEnd = 100,
  kDiskFull = 101,
  // Our own, beyond the run-time library's: they name what the library's
  // bare "I/O error N" would not.
  kFileExists = 1017,
  kNotRegularFile = 1006,
  kLinkLoop = 1040,
};

// The user-facing text of an I/O result code.
std::string IoErrorText(int code);

class IoError : public std::runtime_error {
 public:
  explicit IoError(int code) : std::runtime_error(IoErrorText(code)), code_(code) {}
  IoError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// The error for an errno value from a failed system call: the run-time
// library's code where one matches, else "I/O error" with the system's number
// (which may coincide with a library code, so it never goes through the table).
IoError IoErrorFromErrno(int err);
[[noreturn]] void ThrowErrno(int err);

}  // namespace quillet
