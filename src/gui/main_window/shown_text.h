// The model speaks in bytes: card data in Windows-1252, paths in the file
// system's encoding. These turn them into text for the screen and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillet {

// A path as the file system spells it.
QString ShownPath(std::string_view bytes);
std::string PathBytes(const QString& path);
// A message that may hold a path as well as card names: UTF-8 when the bytes
// are valid UTF-8, Windows-1252 otherwise.
QString ShownMessage(std::string_view bytes);

}  // namespace quillet
