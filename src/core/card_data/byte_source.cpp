#include "core/card_data/byte_source.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/card_data/io_error.h"
#include "core/card_data/safe_file.h"

namespace quillet {

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t size) {
  const std::size_t n = std::min(size, bytes_.size() - pos_);
  std::memcpy(buffer, bytes_.data() + pos_, n);
  pos_ += n;
  return n;
}

FileSource::FileSource(const std::string& path, long long maxSize)
    : fd_(OpenRegularFile(path, maxSize)) {}

FileSource::~FileSource() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t FileSource::Read(std::uint8_t* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) ThrowErrno(errno);
  }
}

bool ByteReader::Fill() {
  if (finished_) return false;
  pos_ = 0;
  end_ = source_.Read(buffer_.data(), buffer_.size());
  if (end_ == 0) finished_ = true;
  return end_ != 0;
}

void BufferedSink::Write(const std::uint8_t* bytes, std::size_t size) {
  if (buffer_.size() + size > buffer_.capacity()) Flush();
  if (size >= buffer_.capacity()) {
    buffer_.assign(bytes, bytes + size);
    Flush();
    return;
  }
  buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void BufferedSink::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

}  // namespace quillet
