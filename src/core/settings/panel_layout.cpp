#include "core/settings/panel_layout.h"

#include "core/card_data/byte_source.h"
#include "core/card_data/file_util.h"
#include "core/card_data/io_error.h"

namespace quillet {

std::string LoadPanelLayout(const std::string& configDir) {
  if (configDir.empty()) return {};
  try {
    return ReadWholeFile(configDir + std::string(kPanelLayoutFileName));
  } catch (const IoError&) {
    return {};
  }
}

void SavePanelLayout(const std::string& configDir, std::string_view bytes) {
  if (configDir.empty()) return;
  MakeDirectories(configDir);
  WriteWholeFile(configDir + std::string(kPanelLayoutFileName), bytes);
}

}  // namespace quillet
