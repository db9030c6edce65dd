#include <ostream>

#include "cli/commands.h"

namespace quillet::cli {

namespace {

constexpr const char* kUsage =
    "usage: quillet-cli build CARDLIST [--data DIR] [--no-text] [--no-fix NAME]...\n"
    "       quillet-cli analyze DECK [--data DIR] [--assets-only] [--cost KIND] [--json]\n"
    "       quillet-cli list DECK FIELD [--data DIR] [--assets-only] [--cost KIND] [--json]\n"
    "       quillet-cli card NAME [--data DIR] [--json]\n"
    "       quillet-cli card --find TEXT [--data DIR] [--json]\n";

}  // namespace

std::string DataFolder(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

int RunCli(const Args& argv, const std::string& programDir, std::ostream& out, std::ostream& err) {
  if (argv.size() < 2) {
    err << kUsage;
    return 2;
  }
  const std::string& command = argv[1];
  const Args rest(argv.begin() + 2, argv.end());
  if (command == "build") return RunBuild(rest, programDir, out, err);
  if (command == "analyze") return RunAnalyze(rest, programDir, out, err);
  if (command == "list") return RunList(rest, programDir, out, err);
  if (command == "card") return RunCard(rest, programDir, out, err);
  if (command == "--help" || command == "help") {
    out << kUsage;
    return 0;
  }
  err << kUsage;
  return 2;
}

}  // namespace quillet::cli
