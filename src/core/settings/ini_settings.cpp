#include "core/settings/ini_settings.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/safe_file.h"
#include "core/card_data/text_util.h"
#include "core/settings/own_file.h"

namespace quillet {
namespace {

constexpr std::string_view kNewLine = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// One line of the file: [start, textEnd) is its text, [textEnd, end) its line
// end (CR LF, CR, LF or nothing at the end of the file).
struct Line {
  std::size_t start = 0;
  std::size_t textEnd = 0;
  std::size_t end = 0;
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;       // section or key name, blanks removed
  std::size_t valueStart = 0;  // key lines: first byte of the value
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < content.size()) {
    Line line;
    line.start = pos;
    while (pos < content.size() && content[pos] != '\r' && content[pos] != '\n') ++pos;
    line.textEnd = pos;
    if (pos < content.size() && content[pos] == '\r') ++pos;
    if (pos < content.size() && content[pos] == '\n' &&
        (pos == line.textEnd || content[pos - 1] == '\r')) {
      ++pos;
    }
    line.end = pos;

    const std::string_view text = content.substr(line.start, line.textEnd - line.start);
    const std::string_view trimmed = TrimBlanks(text);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::string_view inside = trimmed.substr(1);
      line.kind = Line::kSection;
      line.name = TrimBlanks(inside.substr(0, inside.find(']')));
    } else if (!trimmed.empty() && trimmed.front() != ';') {
      if (const auto eq = text.find('='); eq != std::string_view::npos) {
        line.kind = Line::kKey;
        line.name = TrimBlanks(text.substr(0, eq));
        std::size_t value = line.start + eq + 1;
        while (value < line.textEnd && IsBlank(content[value])) ++value;
        line.valueStart = value;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

// Where a section and its key stand among the lines.
struct Place {
  std::optional<std::size_t> section;  // index of the header line
  std::optional<std::size_t> key;      // index of the key line
  std::size_t lastFilled = 0;          // last non-blank line of the section
};

Place Find(std::string_view content, const std::vector<Line>& lines, std::string_view section,
           std::string_view key) {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.kind == Line::kSection) {
      if (place.section) break;  // only the first section of that name counts
      if (SameName(line.name, section)) {
        place.section = i;
        place.lastFilled = i;
      }
      continue;
    }
    if (!place.section) continue;
    if (!TrimBlanks(content.substr(line.start, line.textEnd - line.start)).empty()) {
      place.lastFilled = i;
    }
    if (line.kind == Line::kKey && SameName(line.name, key)) {
      place.key = i;
      break;
    }
  }
  return place;
}

bool EndsWithLineEnd(std::string_view text) {
  return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

std::string IniValue(std::string_view content, std::string_view section, std::string_view key) {
  const auto lines = SplitLines(content);
  const Place place = Find(content, lines, section, key);
  if (!place.key) return {};
  const Line& line = lines[*place.key];
  return std::string(TrimBlanks(content.substr(line.valueStart, line.textEnd - line.valueStart)));
}

std::string IniWithValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos || TrimBlanks(value) != value) {
    throw std::invalid_argument("An INI value cannot hold line ends or outer blanks");
  }
  const auto lines = SplitLines(content);
  const Place place = Find(content, lines, section, key);
  std::string out;
  if (place.key) {
    const Line& line = lines[*place.key];
    out.append(content.substr(0, line.valueStart));
    out.append(value);
    out.append(content.substr(line.textEnd));
    return out;
  }
  const std::string keyLine = std::string(key) + "=" + std::string(value) + std::string(kNewLine);
  if (place.section) {
    // The new key goes after the last line of the section that is not blank.
    const Line& after = lines[place.lastFilled];
    out.append(content.substr(0, after.end));
    if (after.end == after.textEnd) out.append(kNewLine);  // that line ended the file
    out.append(keyLine);
    out.append(content.substr(after.end));
    return out;
  }
  out.append(content);
  if (!content.empty() && !EndsWithLineEnd(content)) out.append(kNewLine);
  out.append("[").append(section).append("]").append(kNewLine);
  out.append(keyLine);
  return out;
}

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
  try {
    const auto content = ReadOwnFile(path);
    return content ? IniValue(*content, section, key) : std::string();
  } catch (const IoError&) {
    return {};  // an unreadable settings file holds no value for us
  }
}

void WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
  // A file that exists but cannot be read (or is not a regular file, or is
  // oversized) is never overwritten: it holds the settings of other tools.
  const std::string content = ReadOwnFile(path).value_or(std::string());
  const std::string updated = IniWithValue(content, section, key, value);
  WriteWholeFile(path, updated);
}

std::string ReadDeckDirectory(const std::string& programDir) {
  return ReadIniString(programDir + std::string(kSettingsFileName), kDeckDirectorySection,
                       kDeckDirectoryKey);
}

void WriteDeckDirectory(const std::string& programDir, std::string_view directory) {
  WriteIniString(programDir + std::string(kSettingsFileName), kDeckDirectorySection,
                 kDeckDirectoryKey, directory);
}

}  // namespace quillet
