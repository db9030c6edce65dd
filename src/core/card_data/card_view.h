// A read-only view of one state of CardStat.Dat, and the lookup rule over it
// as a pure function: where a lookup starts is an argument and where it
// leaves the cache is its result, so any number of analyses can read one view
// at once, on any thread, each carrying its own position.
//
// Two views exist: the process's shared CardIndex (a window that analyses
// again and again) and the names of one deck found in one pass over a memory
// map (a command-line run). Both answer as CardDatabase::LookupCard would
// from the same position, record for record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/card_index.h"
#include "core/card_data/card_record.h"

namespace quillet {

class CardView {
 public:
  virtual ~CardView() = default;
  virtual const CardFileState& State() const = 0;
  // Whole records.
  virtual std::int32_t Count() const = 0;
  // Record i, 0 <= i < Count().
  virtual const std::uint8_t* Record(std::int32_t i) const = 0;
  // The record LookupCard settles on for `name` from `start`, -1 when no
  // record carries it. A view over some names only answers -1 for others.
  virtual std::int32_t Find(std::string_view name, std::int32_t start) const = 0;

  TCardRecord Card(std::int32_t i) const { return DecodeRecord(Record(i)); }
};

// The lookup cache: a lookup of a name sorting after the last name found
// starts where that one was found.
struct LookupPosition {
  std::string lastFoundName;
  std::int32_t lastFoundPos = 0;  // one past the record found
  bool operator==(const LookupPosition&) const = default;
};

// Where one lookup settled: the record found, or the last record the scan
// read when the name was not found (the working card after LookupCard).
struct LookupAnswer {
  bool found = false;
  std::int32_t record = 0;
};

// CardDatabase::LookupCard over a view, moving `position` on as it would.
// Throws IoError "Read beyond end of file" when the view holds no record.
LookupAnswer LookUp(const CardView& cards, std::string_view name, LookupPosition& position);

// The shared index as a view.
std::shared_ptr<const CardView> IndexView(std::shared_ptr<const CardIndex> index);
// The positions of `names` in the open file `fd` (mapped, so `fd` may be
// closed afterwards). Throws IoError.
std::shared_ptr<const CardView> NamesView(int fd, const std::vector<std::string_view>& names);

}  // namespace quillet
