// Any bytes as the recent decks file: reading never fails and gives a list
// that obeys the rule (storable paths, each once, at most eight), and the
// file written for that list reads back as the same list and is written the
// same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "core/settings/recent_decks.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const RecentDecks decks = ParseRecentDecks(bytes);
  const auto& paths = decks.Paths();
  Check(paths.size() <= RecentDecks::kLimit);
  std::set<std::string_view> seen;
  for (const std::string& path : paths) {
    Check(RecentDecks::Storable(path));
    Check(seen.insert(path).second);
    Check(bytes.find(path) != std::string_view::npos);
  }
  const std::string text = RecentDecksText(decks);
  const RecentDecks again = ParseRecentDecks(text);
  Check(again.Paths() == paths);
  Check(RecentDecksText(again) == text);

  // Adding any listed path keeps the rule and puts it first.
  RecentDecks moved = decks;
  if (!paths.empty()) {
    moved.Add(paths.back());
    Check(moved.Paths().front() == paths.back());
    Check(moved.Paths().size() == paths.size());
  }
  return 0;
}
