#include "cli/output_buffer.h"

#include <unistd.h>

#include <cerrno>

namespace quillet::cli {

bool OutputBuffer::Drain() {
  const char* next = pbase();
  while (error_ == 0 && next < pptr()) {
    const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error_ = errno;
    } else if (n == 0) {
      error_ = EIO;  // no progress and no cause: do not spin
    } else {
      next += n;
    }
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

OutputBuffer::int_type OutputBuffer::overflow(int_type ch) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

int OutputBuffer::sync() {
  return Drain() ? 0 : -1;
}

}  // namespace quillet::cli
