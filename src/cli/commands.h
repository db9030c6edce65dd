// quillet-cli: one function per subcommand, each writing to the streams it is
// given and returning the process exit code (0 success, 1 failure, 2 usage),
// so tests run them in-process and capture what they print.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quillet::cli {

using Args = std::vector<std::string>;  // the arguments after the subcommand

// `programDir` is the default data folder (the executable's folder).
int RunBuild(const Args& args, const std::string& programDir, std::ostream& out, std::ostream& err);
int RunAnalyze(const Args& args, const std::string& programDir, std::ostream& out,
               std::ostream& err);
int RunList(const Args& args, const std::string& programDir, std::ostream& out, std::ostream& err);
int RunCard(const Args& args, const std::string& programDir, std::ostream& out, std::ostream& err);

// A --data folder as the data file paths need it: with its trailing '/'.
std::string DataFolder(std::string dir);

// Dispatches argv[1] to its subcommand.
int RunCli(const Args& argv, const std::string& programDir, std::ostream& out, std::ostream& err);

}  // namespace quillet::cli
