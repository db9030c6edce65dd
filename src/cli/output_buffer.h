// The stream buffer quillet-cli writes its standard output through. The
// standard library's own would let a full disk or a closed pipe pass in
// silence: a command would exit 0 with half a report written. This buffer
// writes to its descriptor itself and keeps the first write error, so main()
// can fail the run with its cause once everything has been flushed.
#pragma once

#include <array>
#include <cstddef>
#include <streambuf>

namespace quillet::cli {

class OutputBuffer : public std::streambuf {
 public:
  explicit OutputBuffer(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer() override { Drain(); }

  // The errno of the first write that failed, or 0. Once one has failed,
  // later output is dropped: a report with a hole in it is worth nothing.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  // Writes out what is buffered; false once a write has failed.
  bool Drain();

  int fd_;
  int error_ = 0;
  std::array<char, std::size_t{64} * 1024> buffer_{};
};

}  // namespace quillet::cli
