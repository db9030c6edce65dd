#include "core/card_data/io_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace quillet {
namespace {

TEST(IoError, SystemErrorsMapToTheLibraryTexts) {
  EXPECT_STREQ(IoErrorFromErrno(ENOENT).what(), "File not found");
  EXPECT_STREQ(IoErrorFromErrno(EACCES).what(), "File access denied");
  EXPECT_STREQ(IoErrorFromErrno(EROFS).what(), "File access denied");
  EXPECT_STREQ(IoErrorFromErrno(ENOSPC).what(), "Disk full");
  EXPECT_STREQ(IoError(kReadBeyondEnd).what(), "Read beyond end of file");
}

TEST(IoError, OtherSystemErrorsKeepTheirOwnNumber) {
  // EIO is 5 on Linux, the library's code for "File access denied": a disk
  // error must not be reported as a permission problem.
  EXPECT_STREQ(IoErrorFromErrno(EIO).what(), ("I/O error " + std::to_string(EIO)).c_str());
  EXPECT_STREQ(IoError(998).what(), "I/O error 998");
}

}  // namespace
}  // namespace quillet
