#include "core/settings/file_fingerprint.h"

#include <filesystem>
#include <fstream>

namespace quillet {

namespace {

constexpr std::uint64_t kOffset = 14695981039346656037ULL;
constexpr std::uint64_t kPrime = 1099511628211ULL;

std::uint64_t Mix(std::uint64_t digest, std::string_view bytes) {
  for (const char c : bytes) {
    digest ^= static_cast<unsigned char>(c);
    digest *= kPrime;
  }
  return digest;
}

}  // namespace

FileFingerprint FingerprintOf(std::string_view bytes) {
  return {bytes.size(), Mix(kOffset, bytes)};
}

std::optional<FileFingerprint> FingerprintFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  FileFingerprint print{0, kOffset};
  char block[16384];
  while (in) {
    in.read(block, sizeof block);
    const auto got = static_cast<std::size_t>(in.gcount());
    print.size += got;
    print.digest = Mix(print.digest, std::string_view(block, got));
  }
  if (in.bad()) return std::nullopt;
  return print;
}

}  // namespace quillet
