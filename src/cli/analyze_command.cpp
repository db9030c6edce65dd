#include <ostream>

#include "cli/commands.h"

namespace quillet::cli {

// Not built yet.
int RunAnalyze(const Args&, const std::string&, std::ostream&, std::ostream& err) {
  err << "quillet-cli: 'analyze' is not available yet\n";
  return 2;
}

}  // namespace quillet::cli
