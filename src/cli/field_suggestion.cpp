#include "cli/field_suggestion.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "core/analysis/field_names.h"
#include "core/analysis/main_view.h"

namespace quillet::cli {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Insertions, deletions and substitutions turning `a` into `b`.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::vector<std::string_view> FieldsWithLists() {
  std::vector<std::string_view> names;
  for (const MasterField& field : MasterFields()) {
    if (MainView::HasList(field.name)) names.push_back(field.name);
  }
  for (std::string_view name : {"DName", "HQType"}) {
    if (MainView::HasList(name)) names.push_back(name);
  }
  return names;
}

}  // namespace

std::vector<std::string> ClosestFieldNames(std::string_view typed) {
  const std::string key = Lower(typed);
  // A slip is a few letters: one in a short word, a third of a longer one.
  const std::size_t nearEnough = std::clamp<std::size_t>(key.size() / 3, 1, 3);
  std::size_t best = std::numeric_limits<std::size_t>::max();
  std::vector<std::string> closest;
  for (const std::string_view name : FieldsWithLists()) {
    std::string bare(name);
    if (bare.size() > 6 && bare.ends_with("Amount")) bare.resize(bare.size() - 6);
    const std::size_t distance =
        std::min({EditDistance(key, Lower(name)), EditDistance(key, Lower(bare)),
                  EditDistance(key, Lower(FieldDisplayName(name)))});
    if (distance > nearEnough || distance > best) continue;
    if (distance < best) closest.clear();
    best = distance;
    closest.emplace_back(name);
  }
  return closest;
}

std::string UnknownFieldMessage(std::string_view typed) {
  std::string message = "unknown field '" + std::string(typed) + "'";
  const std::vector<std::string> closest = ClosestFieldNames(typed);
  if (closest.empty()) return message + " (quillet-cli fields lists the fields)";
  message += " (did you mean ";
  for (std::size_t i = 0; i < closest.size(); ++i) {
    if (i > 0) message += i + 1 == closest.size() ? " or " : ", ";
    message += closest[i];
  }
  return message + "?)";
}

}  // namespace quillet::cli
