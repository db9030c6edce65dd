#include "core/settings/own_file.h"

#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/safe_file.h"

namespace quillet {

std::optional<std::string> ReadOwnFile(const std::string& path) {
  try {
    return ReadWholeFile(path, kMaxOwnFileSize);
  } catch (const IoError& error) {
    if (error.code() == kFileNotFound) return std::nullopt;
    throw;
  }
}

std::string LoadOwnFile(const std::string& configDir, std::string_view name) {
  if (configDir.empty()) return {};
  try {
    return ReadOwnFile(configDir + std::string(name)).value_or(std::string());
  } catch (const IoError&) {
    return {};
  }
}

void SaveOwnFile(const std::string& configDir, std::string_view name, std::string_view bytes) {
  if (configDir.empty()) return;
  MakeDirectories(configDir);
  const std::string path = configDir + std::string(name);
  (void)ReadOwnFile(path);  // throws for a file we could not read: it stays as it is
  WriteWholeFile(path, bytes);
}

}  // namespace quillet
