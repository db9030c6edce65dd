// Quillet's own configuration folder, after the XDG base directory rules:
// $XDG_CONFIG_HOME/quillet/ when that variable holds an absolute path, else
// $HOME/.config/quillet/. The shared ZNUTILS.INI stays in the data folder;
// what only Quillet reads lives here, so the other card tools never see it.
#pragma once

#include <string>

namespace quillet {

// The folder from the two variables' values (null: unset), with a trailing
// '/'; empty when neither gives an absolute path, and then nothing is kept.
std::string ConfigDirFrom(const char* xdgConfigHome, const char* home);

// The folder from this process's environment.
std::string UserConfigDir();

}  // namespace quillet
