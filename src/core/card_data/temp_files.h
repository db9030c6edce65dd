// The names of our writers' temporary files, and the removal of those that
// killed writers left behind. AtomicFile (safe_file.h) names its files so;
// the data journal accepts no other name for a file it renames.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// The temporary files of our writers are named in a form no person would
// choose, of one fixed length whatever the target's name (a target name near
// the 255-byte limit still has room for its temporary file beside it):
// kTempPrefix, eight hex digits naming the target (a hash of its bare name),
// a '-' and eight random letters or digits. Only files of this form are ever
// removed as left-overs, and only when no process holds them.
inline constexpr std::string_view kTempPrefix = ".quillet-partial-";
inline constexpr std::size_t kTempNameSize = kTempPrefix.size() + 8 + 1 + 8;

// A new temporary file name (bare, without folder) for the target named
// `targetName` (bare, without folder).
std::string TempFileName(std::string_view targetName);
// Whether the bare `name` is one TempFileName(targetName) can give.
bool IsTempFileNameOf(std::string_view name, std::string_view targetName);

// Removes the temporary files that writers of `target` (a bare file name in
// `dir`) left behind when they were killed: regular files whose names
// IsTempFileNameOf gives and that no process holds (AtomicFile locks its own
// from its creation to its rename). Anything else of the folder, whatever
// its name, is left alone. A folder that cannot be listed holds nothing we
// could remove. Never throws.
void RemoveStaleTemps(const std::string& dir, const std::string& target);

}  // namespace quillet
