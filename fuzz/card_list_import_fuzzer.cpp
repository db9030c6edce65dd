// Any card list imports into memory without a crash or undefined behaviour,
// and what comes out holds together: whole 116-byte records, one per line
// started, text ranges inside the texts counted and in increasing order, and
// the same records whether or not the texts are written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_record.h"
#include "core/import/card_data_update.h"
#include "core/import/card_list_importer.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view list(reinterpret_cast<const char*>(data), size);

  UpdateOptions options;
  MemorySource source(list);
  TCardRecord card;
  MemorySink records;
  MemorySink text;
  CardListImporter importer(source, card, records, &text, options);
  importer.ImportCardList();

  Check(records.data.size() % kRecordSize == 0);
  const std::size_t count = records.data.size() / kRecordSize;
  Check(static_cast<std::int64_t>(count) == importer.LineCount());
  // Every line takes at least one byte, and a list with bytes has a line.
  Check(count <= size);
  Check((count == 0) == (size == 0));
  Check(text.data.size() == static_cast<std::size_t>(importer.TextCharCount));

  std::int32_t previousEnd = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const TCardRecord r =
        DecodeRecord(reinterpret_cast<const std::uint8_t*>(records.data.data()) + i * kRecordSize);
    if (r.TextStart == 0) {
      Check(r.TextEnd == 0);
    } else {
      Check(r.TextStart > previousEnd);
      Check(r.TextStart < r.TextEnd);  // one character counts as no text
      Check(r.TextEnd <= importer.TextCharCount);
      previousEnd = r.TextEnd;
    }
    Check(r.Name.length <= kNameWidth && r.Edition.length <= 11 && r.HP.length <= 2);
    Check((r.Keywords >> 30) == 0 && (r.Specials >> 17) == 0);
  }
  if (count > 0) {
    const RecordBytes last = EncodeRecord(card);
    Check(std::string_view(reinterpret_cast<const char*>(last.data()), kRecordSize) ==
          std::string_view(records.data).substr(records.data.size() - kRecordSize));
  }

  // Without texts: the same records, nothing written.
  options.CardTextCheck = false;
  MemorySource again(list);
  TCardRecord card2;
  MemorySink records2;
  CardListImporter without(again, card2, records2, nullptr, options);
  without.ImportCardList();
  Check(records2.data == records.data);
  Check(without.TextCharCount == importer.TextCharCount);
  return 0;
}
