// The standard output buffer of quillet-cli: every byte reaches the
// descriptor in order, whatever the sizes of the writes, and a descriptor
// that refuses bytes leaves its errno for main() to report.
#include "cli/output_buffer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <ostream>
#include <string>
#include <thread>

namespace quillet::cli {
namespace {

// Everything written through an OutputBuffer over a pipe, read on the other
// end while it is written.
std::string ThroughPipe(const std::function<void(std::ostream&)>& write, int& error) {
  int ends[2];
  EXPECT_EQ(::pipe(ends), 0);
  std::string read;
  std::thread reader([&] {
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(ends[0], chunk, sizeof chunk)) > 0) read.append(chunk, n);
  });
  {
    OutputBuffer buffer(ends[1]);
    std::ostream out(&buffer);
    write(out);
    out.flush();
    error = buffer.error();
  }
  ::close(ends[1]);
  reader.join();
  ::close(ends[0]);
  return read;
}

TEST(OutputBufferTest, DeliversEveryByteInOrder) {
  // Pieces smaller than, equal to and larger than the buffer, which a
  // pipe takes in parts.
  for (const std::size_t piece : {1u, 7u, 4096u, 65535u, 65536u, 65537u, 300000u}) {
    SCOPED_TRACE(piece);
    std::string expected;
    int error = -1;
    const std::string got = ThroughPipe(
        [&](std::ostream& out) {
          for (int i = 0; expected.size() < 400000; ++i) {
            const std::string text(piece, static_cast<char>('a' + i % 26));
            out << text;
            expected += text;
          }
        },
        error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
  }
}

TEST(OutputBufferTest, KeepsTheFirstWriteErrorAndFailsTheStream) {
  const int full = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  {
    OutputBuffer buffer(full);
    std::ostream out(&buffer);
    out << "a line\n";
    EXPECT_EQ(buffer.error(), 0);  // still in the buffer
    out.flush();
    EXPECT_EQ(buffer.error(), ENOSPC);
    EXPECT_TRUE(out.bad());
  }
  ::close(full);

  // A closed descriptor: a large write fails before any flush.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ::close(ends[0]);
  ::close(ends[1]);
  OutputBuffer buffer(ends[1]);
  std::ostream out(&buffer);
  out << std::string(200000, 'x');
  EXPECT_EQ(buffer.error(), EBADF);
  out << "more";
  out.flush();
  EXPECT_EQ(buffer.error(), EBADF);  // the first cause stays
}

}  // namespace
}  // namespace quillet::cli
