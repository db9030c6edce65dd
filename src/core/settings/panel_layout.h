// The arrangement of the desktop program's panels, kept between runs in the
// file "panel-layout" of Quillet's own configuration folder (config_dir.h).
// The bytes are the toolkit's own record of the docks (which are open, where
// and how large); the core only keeps them, reading them under the size
// limit of the program's own files and replacing them atomically. Whether
// they still describe a usable layout is the toolkit's to judge.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

inline constexpr std::string_view kPanelLayoutFileName = "panel-layout";

// The kept bytes; empty when the folder, the file or the folder name is
// missing, or the file cannot be read (a convenience, never a failure).
std::string LoadPanelLayout(const std::string& configDir);
// Replaces the kept bytes, creating the folder. Throws IoError.
void SavePanelLayout(const std::string& configDir, std::string_view bytes);

}  // namespace quillet
