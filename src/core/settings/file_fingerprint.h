// A short digest of a file's whole content. The main window compares it
// before reloading the open deck, so notices that bring no new content (a
// touch, a second notice for one save, the same broken file again) do not
// analyse or complain twice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

struct FileFingerprint {
  std::uint64_t size = 0;
  std::uint64_t digest = 0;  // FNV-1a over the bytes
  bool operator==(const FileFingerprint&) const = default;
};

FileFingerprint FingerprintOf(std::string_view bytes);
// nullopt when the file cannot be read (missing, a folder, no permission).
std::optional<FileFingerprint> FingerprintFile(const std::string& path);

}  // namespace quillet
