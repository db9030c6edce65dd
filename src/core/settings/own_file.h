// The program's own small files in a folder (recent decks, window places,
// panel layout, the shared settings file): read under the own-file size
// limit, and replaced only when what stands at their place could be read.
// A file we could not read (oversized, unreadable, special, a link to a
// large document) may be someone's; it is never written over, so nothing
// it holds is lost to a list we built without it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The bytes of the own file `path`, or nullopt when there is none. Throws
// IoError when something stands there that cannot be read as our file.
std::optional<std::string> ReadOwnFile(const std::string& path);
// The bytes of `name` in `configDir`; empty when the folder name is empty or
// the file is missing or cannot be read (a convenience, never a failure).
std::string LoadOwnFile(const std::string& configDir, std::string_view name);
// Replaces `name` in `configDir` with `bytes` through WriteWholeFile,
// creating the folder; nothing when the folder name is empty. Throws IoError,
// also, without writing, when the file there could not be read.
void SaveOwnFile(const std::string& configDir, std::string_view name, std::string_view bytes);

}  // namespace quillet
