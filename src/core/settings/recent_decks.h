// The decks recently opened in the main window, newest first, at most eight,
// each once. The list is kept between runs in the file "recent-decks" of
// Quillet's own configuration folder (config_dir.h): one absolute path per
// line, LF-ended, as the bytes the file system uses; lines starting with '#'
// are comments. Reading accepts any bytes (what it cannot use it skips), and
// writing replaces the file atomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class RecentDecks {
 public:
  static constexpr std::size_t kLimit = 8;

  // Whether a path can be kept: absolute, and free of the bytes that would
  // break its line (CR, LF, NUL).
  static bool Storable(std::string_view path);

  // Puts `path` at the top, dropping an older entry of it and the oldest
  // past the limit. A path that cannot be kept is ignored; returns whether
  // the list changed.
  bool Add(const std::string& path);
  // Drops `path`; returns whether it was listed.
  bool Remove(std::string_view path);

  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};

// The list a file holds: its storable lines in file order, repeats and lines
// past the limit dropped.
RecentDecks ParseRecentDecks(std::string_view bytes);
// The file's content for a list; ParseRecentDecks reads it back unchanged.
std::string RecentDecksText(const RecentDecks& decks);

// The list kept in `configDir` (empty when the folder, the file or the
// folder name is missing or unreadable, or the file is not a regular file
// or is oversized: it is a convenience, never a reason to fail).
RecentDecks LoadRecentDecks(const std::string& configDir);
// Writes the list to `configDir`, creating the folder. Throws IoError, also
// when the file there is one LoadRecentDecks could not read: it is left as
// it is.
void SaveRecentDecks(const std::string& configDir, const RecentDecks& decks);

inline constexpr std::string_view kRecentDecksFileName = "recent-decks";

}  // namespace quillet
