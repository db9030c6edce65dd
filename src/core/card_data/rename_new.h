// A rename that never replaces: the one way a name is claimed only when it
// is free at the moment of the rename, for a new deck that a racing creator
// may have made meanwhile, and for a foreign journal moved aside.
#pragma once

#include <string>

namespace quillet {

// Renames `from` to `to` unless something named `to` exists at that moment;
// false when it does. Throws IoError for any other failure.
bool RenameNew(const std::string& from, const std::string& to);

}  // namespace quillet
