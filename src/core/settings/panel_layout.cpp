#include "core/settings/panel_layout.h"

#include "core/settings/own_file.h"

namespace quillet {

std::string LoadPanelLayout(const std::string& configDir) {
  return LoadOwnFile(configDir, kPanelLayoutFileName);
}

void SavePanelLayout(const std::string& configDir, std::string_view bytes) {
  SaveOwnFile(configDir, kPanelLayoutFileName, bytes);
}

}  // namespace quillet
