// Where each window of the desktop program was last, kept between runs in the
// file "window-places" of Quillet's own configuration folder (config_dir.h):
// one line per window, its component name and the four numbers of its place
// (left, top, width, height, in the desktop's device-independent pixels),
// '#' lines being comments. Reading accepts any bytes and skips what it
// cannot use; writing replaces the file atomically. FitInside is the rule
// every window opens by: inside the screen's free area, no larger than it.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace quillet {

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

using WindowPlaces = std::map<std::string, WindowRect, std::less<>>;

// Whether a window can be kept under `name`: letters, digits and '_' only,
// so it is one word of its line.
bool StorableWindowName(std::string_view name);

// The places a file holds; a line that is not a storable name and four
// whole numbers in range (a size of at least 1) is skipped, and of two lines
// of one name the later wins.
WindowPlaces ParseWindowPlaces(std::string_view bytes);
// The file's content; ParseWindowPlaces reads it back unchanged.
std::string WindowPlacesText(const WindowPlaces& places);

// The places kept in `configDir` (none when the folder, the file or the
// folder name is missing: a convenience, never a reason to fail).
WindowPlaces LoadWindowPlaces(const std::string& configDir);
// Writes the places to `configDir`, creating the folder. Throws IoError.
void SaveWindowPlaces(const std::string& configDir, const WindowPlaces& places);

// `window` made no larger than `area` and then moved as little as possible
// to lie wholly inside it. An empty area leaves the window as it is.
WindowRect FitInside(WindowRect window, const WindowRect& area);

inline constexpr std::string_view kWindowPlacesFileName = "window-places";

}  // namespace quillet
