#include "core/card_data/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "core/card_data/paths.h"

namespace quillet {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

bool Set(const std::optional<std::string>& value) {
  return value && !value->empty();
}

}  // namespace

DataFolderEnv DataFolderEnv::FromProcess() {
  DataFolderEnv env;
  env.programDir = ProgramDir();
  env.dataDirVar = Variable("QUILLET_DATA_DIR");
  env.xdgDataHome = Variable("XDG_DATA_HOME");
  env.home = Variable("HOME");
  if (!Set(env.home)) {
    // A service or a cron job may run without HOME; the password entry still
    // names the user's home.
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
      env.home = entry->pw_dir;
    }
  }
  return env;
}

std::string WithTrailingSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string ChooseDataFolder(const std::string& given, const DataFolderEnv& env) {
  if (!given.empty()) return WithTrailingSlash(given);
  if (Set(env.dataDirVar)) return WithTrailingSlash(*env.dataDirVar);

  std::string program = WithTrailingSlash(env.programDir);
  if (FileExists(program + "CardStat.Dat") || ::access(program.c_str(), W_OK) == 0) {
    return program;
  }

  // The XDG base directory rules say a relative XDG_DATA_HOME is
  // invalid and is to be ignored.
  if (Set(env.xdgDataHome) && env.xdgDataHome->front() == '/') {
    return WithTrailingSlash(*env.xdgDataHome) + "quillet/";
  }
  const std::string home = Set(env.home) ? WithTrailingSlash(*env.home) : std::string("/");
  return home + ".local/share/quillet/";
}

}  // namespace quillet
