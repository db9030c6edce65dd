// Any bytes as the data update journal: a journal is acted on only when it
// names the data files of its own folder and their own temporary files by
// bare names, and what is read back is written the same again and read back
// the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/card_data/data_journal.h"
#include "core/card_data/temp_files.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto steps = ParseJournal(bytes);
  if (!steps) return 0;
  for (const JournalStep& step : *steps) {
    Check(step.target == "CardStat.Dat" || step.target == "CardText.Dat");
    Check(step.temp.find('/') == std::string::npos);
    Check(step.temp.empty() || IsTempFileNameOf(step.temp, step.target));
  }
  const std::string text = JournalText(*steps);
  Check(text == bytes);
  Check(ParseJournal(text) == steps);
  return 0;
}
