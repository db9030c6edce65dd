// One value of a shared INI settings file, read and written the way the
// platform's INI functions do it: section and key names match without regard
// to letter case and blanks around names and values are ignored. The file
// belongs to several tools, so a write changes only the line of its key
// (adding the section or the key when missing) and keeps every other byte;
// the file is replaced atomically.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

inline constexpr std::string_view kSettingsFileName = "ZNUTILS.INI";
inline constexpr std::string_view kDeckDirectorySection = "DIRECTORIES";
inline constexpr std::string_view kDeckDirectoryKey = "Deck Directory";

// The value of `key` in `section` of the INI text `content`; empty when the
// section or key is missing.
std::string IniValue(std::string_view content, std::string_view section, std::string_view key);

// `content` with `key` of `section` set to `value`. New lines end in CR LF.
// `value` must hold no CR or LF and no blank at either end, or it would not
// read back; such a value throws std::invalid_argument.
std::string IniWithValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value);

// The same on a file: a missing or unreadable file reads as empty. The write
// throws IoError when the file cannot be replaced.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key);
void WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// "Deck Directory" of "ZNUTILS.INI" in `programDir`.
std::string ReadDeckDirectory(const std::string& programDir);
void WriteDeckDirectory(const std::string& programDir, std::string_view directory);

}  // namespace quillet
