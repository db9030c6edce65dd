#include "core/settings/config_dir.h"

#include <cstdlib>

namespace quillet {

namespace {

bool Absolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

std::string ConfigDirFrom(const char* xdgConfigHome, const char* home) {
  // A relative XDG_CONFIG_HOME is invalid by the rules and is ignored.
  if (Absolute(xdgConfigHome)) return WithSlash(xdgConfigHome) + "quillet/";
  if (Absolute(home)) return WithSlash(home) + ".config/quillet/";
  return {};
}

std::string UserConfigDir() {
  return ConfigDirFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace quillet
