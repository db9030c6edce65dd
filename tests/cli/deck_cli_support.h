// Helpers of the command tests: run a subcommand in-process and read single
// values out of its JSON output.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/cli.h"

namespace quillet::cli::test {

struct Result {
  int code = 0;
  std::string out, err;
};

// `quillet-cli command args...` with `programDir` as the program's folder and
// none of the data folder variables set.
inline Result RunCommand(const std::string& command, const Args& args,
                         const std::string& programDir) {
  Args argv{"quillet-cli", command};
  argv.insert(argv.end(), args.begin(), args.end());
  DataFolderEnv env;
  env.programDir = programDir;
  std::ostringstream out, err;
  const int code = RunCli(argv, env, out, err);
  return {code, out.str(), err.str()};
}

// The integer after "name": inside the object that follows "section":. Our
// writer puts every key on its own line, so a plain search is exact.
inline long JsonInt(const std::string& json, std::string_view section, std::string_view name) {
  const auto start = json.find("\"" + std::string(section) + "\": {");
  const auto key = json.find("\n    \"" + std::string(name) + "\": ", start);
  if (start == std::string::npos || key == std::string::npos) return -999999;
  return std::strtol(json.c_str() + key + name.size() + 9, nullptr, 10);
}

}  // namespace quillet::cli::test
