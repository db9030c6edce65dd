#include "core/settings/window_places.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/settings/own_file.h"

namespace quillet {
namespace {

constexpr std::string_view kHeader =
    "# Where Quillet's windows were last: name, left, top, width, height.\n";
// Far beyond any desktop, small enough that sums of two never overflow.
constexpr int kFarthest = 1'000'000;

bool ParseNumber(std::string_view word, int& value) {
  const char* end = word.data() + word.size();
  const auto [ptr, error] = std::from_chars(word.data(), end, value);
  return error == std::errc() && ptr == end && value >= -kFarthest && value <= kFarthest;
}

std::string_view NextWord(std::string_view& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    line = {};
    return {};
  }
  line.remove_prefix(start);
  const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
  const std::string_view word = line.substr(0, end);
  line.remove_prefix(end);
  return word;
}

}  // namespace

bool StorableWindowName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
}

WindowPlaces ParseWindowPlaces(std::string_view bytes) {
  WindowPlaces places;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view name = NextWord(line);
    if (!StorableWindowName(name)) continue;
    std::array<int, 4> numbers{};
    bool ok = true;
    for (int& number : numbers) ok = ok && ParseNumber(NextWord(line), number);
    if (!ok || !NextWord(line).empty() || numbers[2] < 1 || numbers[3] < 1) continue;
    places[std::string(name)] = {numbers[0], numbers[1], numbers[2], numbers[3]};
  }
  return places;
}

std::string WindowPlacesText(const WindowPlaces& places) {
  std::string text(kHeader);
  for (const auto& [name, place] : places) {
    text += name;
    for (const int number : {place.x, place.y, place.width, place.height}) {
      text += ' ';
      text += std::to_string(number);
    }
    text += '\n';
  }
  return text;
}

WindowPlaces LoadWindowPlaces(const std::string& configDir) {
  // Places are a convenience: a file that cannot be read (gone, special,
  // oversized) gives none, and the windows open where they fit.
  return ParseWindowPlaces(LoadOwnFile(configDir, kWindowPlacesFileName));
}

void SaveWindowPlaces(const std::string& configDir, const WindowPlaces& places) {
  SaveOwnFile(configDir, kWindowPlacesFileName, WindowPlacesText(places));
}

WindowRect FitInside(WindowRect window, const WindowRect& area) {
  if (area.width < 1 || area.height < 1) return window;
  window.width = std::clamp(window.width, 1, area.width);
  window.height = std::clamp(window.height, 1, area.height);
  window.x = std::clamp(window.x, area.x, area.x + area.width - window.width);
  window.y = std::clamp(window.y, area.y, area.y + area.height - window.height);
  return window;
}

}  // namespace quillet
