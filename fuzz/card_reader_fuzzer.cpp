// The card reader over any pair of data files: whatever CardStat.Dat and
// CardText.Dat hold (odd lengths, wild short-string lengths and text
// positions), opening the reader, stepping and searching either fail with an
// IoError or leave it on a card of the file, showing at most what the record
// and the text file can hold.
//
// Input: two bytes giving the length of CardStat.Dat, its bytes, then one
// byte per action (First, Previous, Next, Last, Find Card with a key taken
// from the following bytes), and what is left over is CardText.Dat.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "core/card_data/card_database.h"
#include "core/card_data/card_record.h"
#include "core/card_data/io_error.h"
#include "core/reader/reader_model.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

namespace {

struct QuietHost : quillet::ReaderHost {
  void ShowMessage(const std::string&) override {}
};

const std::string& Folder() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/quillet-reader-fuzz-XXXXXX";
    const char* made = ::mkdtemp(pattern.data());
    return std::string(made ? made : "/tmp") + "/";
  }();
  return folder;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  if (size < 2) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t statSize = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
  const std::string_view stat = input.substr(2, statSize);
  std::string_view rest = input.substr(2 + statSize);
  const std::string_view actions = rest.substr(0, std::min<std::size_t>(rest.size(), 16));
  const std::string_view text = rest.substr(actions.size());

  WriteFile(Folder() + "CardStat.Dat", stat);
  WriteFile(Folder() + "CardText.Dat", text);
  CardDatabase db(Folder());
  const std::int32_t count = static_cast<std::int32_t>(stat.size() / kRecordSize);
  std::string selected(actions.substr(0, std::min<std::size_t>(actions.size(), 4)));
  QuietHost host;
  ReaderModel reader(db, selected, host);

  auto run = [&](auto action) {
    try {
      action();
    } catch (const IoError&) {
      Check(count == 0);  // only an empty file cannot be read
      return;
    }
    // Previous and Next on an empty file only give their notice.
    if (count == 0) return;
    Check(db.CurrentCardIndex >= 0 && db.CurrentCardIndex < count);
    const ReaderView& view = reader.view();
    Check(view.CardName.size() <= kNameWidth);
    Check(view.Edition.size() <= 11);
    Check(view.SpecialBox.size() <= 30 + 17);
    Check(view.CardTextMissing || view.CardText.size() <= text.size());
  };

  run([&] { reader.FormActivate(); });
  for (std::size_t i = 0; i < actions.size(); ++i) {
    switch (static_cast<unsigned char>(actions[i]) % 5) {
      case 0:
        run([&] { reader.FirstButtonClick(); });
        break;
      case 1:
        run([&] { reader.PreviousButtonClick(); });
        break;
      case 2:
        run([&] { reader.NextButtonClick(); });
        break;
      case 3:
        run([&] { reader.LastButtonClick(); });
        break;
      default:
        run([&] { reader.SearchButtonClick(actions.substr(i + 1, 3)); });
        break;
    }
  }
  return 0;
}
