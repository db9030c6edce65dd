// Helpers of the analyze and list command tests: run a subcommand in-process
// and read single values out of its JSON output.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/commands.h"

namespace quillet::cli::test {

struct Result {
  int code = 0;
  std::string out, err;
};

template <typename Command>
Result RunIn(Command command, const Args& args, const std::string& programDir) {
  std::ostringstream out, err;
  const int code = command(args, programDir, out, err);
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
