#include "core/settings/recent_decks.h"

#include <algorithm>
#include <cstdint>

#include "core/settings/config_dir.h"
#include "core/settings/own_file.h"

namespace quillet {

namespace {

constexpr std::string_view kHeader = "# Decks recently opened in Quillet, newest first.\n";

}  // namespace

bool RecentDecks::Storable(std::string_view path) {
  return !path.empty() && path.front() == '/' &&
         path.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool RecentDecks::Add(const std::string& path) {
  if (!Storable(path)) return false;
  if (!paths_.empty() && paths_.front() == path) return false;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kLimit) paths_.resize(kLimit);
  return true;
}

bool RecentDecks::Remove(std::string_view path) {
  const auto it = std::find(paths_.begin(), paths_.end(), path);
  if (it == paths_.end()) return false;
  paths_.erase(it);
  return true;
}

RecentDecks ParseRecentDecks(std::string_view bytes) {
  // Lines are read oldest-last, so adding them in reverse keeps the first
  // occurrence of a repeated path and the file's order.
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    // A file saved by an editor that ends lines with CR LF still reads.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!RecentDecks::Storable(line)) continue;
    if (std::find(lines.begin(), lines.end(), line) != lines.end()) continue;
    lines.emplace_back(line);
    if (lines.size() == RecentDecks::kLimit) break;
  }
  RecentDecks decks;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) decks.Add(*it);
  return decks;
}

std::string RecentDecksText(const RecentDecks& decks) {
  std::string text(kHeader);
  for (const std::string& path : decks.Paths()) {
    text += path;
    text += '\n';
  }
  return text;
}

RecentDecks LoadRecentDecks(const std::string& configDir) {
  return ParseRecentDecks(LoadOwnFile(configDir, kRecentDecksFileName));
}

void SaveRecentDecks(const std::string& configDir, const RecentDecks& decks) {
  SaveOwnFile(configDir, kRecentDecksFileName, RecentDecksText(decks));
}

}  // namespace quillet
