// Byte sources and sinks for the readers and writers of the card tools. The
// parsers read one byte at a time through ByteReader, which buffers, so every
// byte is handled in order at no per-byte system cost. Tests feed bytes from
// memory and simulate I/O failures with a source that fails after N bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes; returns 0 only at the end. Throws IoError.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override;

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// A regular file opened read-only (see OpenRegularFile: anything else is
// refused, as is a file over `maxSize` bytes when given). Closed when
// destroyed.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(const std::string& path, long long maxSize = -1);  // throws IoError
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override;

 private:
  int fd_ = -1;
};

// Reads a source one byte at a time through a buffer. Get() returns the next
// byte, or kEnd once every byte has been delivered; reading at the end is no
// error and keeps returning kEnd.
class ByteReader {
 public:
  static constexpr int kEnd = -1;
  explicit ByteReader(ByteSource& source, std::size_t bufferSize = std::size_t{64} * 1024)
      : source_(source), buffer_(bufferSize) {}

  int Get() {
    if (pos_ == end_ && !Fill()) return kEnd;
    return buffer_[pos_++];
  }
  int Peek() {
    if (pos_ == end_ && !Fill()) return kEnd;
    return buffer_[pos_];
  }
  bool AtEnd() { return Peek() == kEnd; }

 private:
  bool Fill();

  ByteSource& source_;
  std::vector<std::uint8_t> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool finished_ = false;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const std::uint8_t* bytes, std::size_t size) = 0;  // throws IoError
  void Write(std::string_view text) {
    Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  }
};

class MemorySink final : public ByteSink {
 public:
  void Write(const std::uint8_t* bytes, std::size_t size) override {
    data.append(reinterpret_cast<const char*>(bytes), size);
  }
  using ByteSink::Write;
  std::string data;
};

// Buffers writes to a file descriptor it does not own.
class BufferedSink final : public ByteSink {
 public:
  explicit BufferedSink(int fd, std::size_t bufferSize = std::size_t{64} * 1024) : fd_(fd) {
    buffer_.reserve(bufferSize);
  }
  ~BufferedSink() override = default;  // unflushed bytes are dropped: call Flush()
  void Write(const std::uint8_t* bytes, std::size_t size) override;
  using ByteSink::Write;
  void Flush();

 private:
  int fd_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace quillet
