// Every command line of golden/cases.txt prints exactly what it printed when
// the outputs were recorded: the JSON byte for byte (key order, spacing,
// escapes of control and non-ASCII characters), the text, the messages and
// the exit code. The commands run in order, so the builds come first.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "deck_cli_support.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

const std::string kSource = QUILLET_SOURCE_DIR;
const std::string kGolden = kSource + "/tests/cli/golden/";

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (auto pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
}

TEST(GoldenOutputTest, EveryRecordedCommandPrintsTheSameBytes) {
  quillet::test::TempDir data, odd;
  const std::vector<std::pair<std::string, std::string>> places = {
      {"@SAMPLES@", kSource + "/samples/"},
      {"@GOLDEN@", kGolden},
      {"@DATA@", data.path()},
      {"@ODD@", odd.path()}};
  std::ifstream cases(kGolden + "cases.txt", std::ios::binary);
  std::string line;
  int count = 0;
  while (std::getline(cases, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields = SplitTabs(line);
    const std::string name = fields[0];
    for (auto& field : fields) {
      for (const auto& [mark, path] : places) ReplaceAll(field, mark, path);
    }
    const Args args(fields.begin() + 2, fields.end());
    const test::Result r = test::RunCommand(fields[1], args, data.path());
    std::string out = r.out;
    std::string err = std::to_string(r.code) + "\n" + r.err;
    for (const auto& [mark, path] : places) {
      ReplaceAll(out, path, mark);
      ReplaceAll(err, path, mark);
    }
    EXPECT_EQ(out, quillet::test::TempDir::Read(kGolden + name + ".out")) << name;
    EXPECT_EQ(err, quillet::test::TempDir::Read(kGolden + name + ".err")) << name;
    ++count;
  }
  EXPECT_EQ(count, 37);
}

}  // namespace
}  // namespace quillet::cli
