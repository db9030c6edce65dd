#include "desktop_state/config_dir.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "card_data/io_error.h"

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

void MakeDirectories(const std::string& dir) {
  for (std::size_t end = dir.find('/', 1);; end = dir.find('/', end + 1)) {
    const std::string part = dir.substr(0, end);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) ThrowErrno(errno);
    if (end == std::string::npos) break;
  }
}

}  // namespace quillet
