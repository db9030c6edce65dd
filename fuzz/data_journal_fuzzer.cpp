// Any bytes as the data update journal: a journal is acted on only when it
// names data files and their own temporary files, and what is read back is
// written the same again and read back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/card_data/data_journal.h"
#include "core/card_data/file_util.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto steps = ParseJournal(bytes);
  if (!steps) return 0;
  for (const JournalStep& step : *steps) {
    const std::string_view target = step.target;
    Check(!target.empty() && target.front() == '/');
    Check(target.ends_with("/CardStat.Dat") || target.ends_with("/CardText.Dat"));
    Check(step.temp.empty() || IsTempOfTarget(step));
  }
  const std::string text = JournalText(*steps);
  Check(text == bytes);
  Check(ParseJournal(text) == steps);
  return 0;
}
