#include "core/card_data/card_view.h"

#include <utility>

#include "core/card_data/card_database.h"
#include "core/card_data/io_error.h"

namespace quillet {
namespace {

class IndexCardView final : public CardView {
 public:
  explicit IndexCardView(std::shared_ptr<const CardIndex> index) : index_(std::move(index)) {}
  const CardFileState& State() const override { return index_->State(); }
  std::int32_t Count() const override { return index_->Count(); }
  const std::uint8_t* Record(std::int32_t i) const override { return index_->Record(i); }
  std::int32_t Find(std::string_view name, std::int32_t start) const override {
    return index_->Find(name, start);
  }

 private:
  std::shared_ptr<const CardIndex> index_;
};

class NamesCardView final : public CardView {
 public:
  NamesCardView(int fd, const std::vector<std::string_view>& names)
      : state_(StateOfOpenFile(fd)), positions_(fd, names) {}
  const CardFileState& State() const override { return state_; }
  std::int32_t Count() const override { return positions_.Count(); }
  const std::uint8_t* Record(std::int32_t i) const override { return positions_.Record(i); }
  std::int32_t Find(std::string_view name, std::int32_t start) const override {
    return positions_.Covers(name) ? positions_.Find(name, start) : -1;
  }

 private:
  CardFileState state_;
  NamePositions positions_;
};

}  // namespace

LookupAnswer LookUp(const CardView& cards, std::string_view name, LookupPosition& position) {
  const std::int32_t count = cards.Count();
  // LookupCard reads record 0 before anything else.
  if (count <= 0) throw IoError(kReadBeyondEnd);
  std::int32_t start =
      SortsAfterIgnoringCase(name, position.lastFoundName) ? position.lastFoundPos : 0;
  if (start < 0 || start >= count) start = 0;  // past the end: scan everything
  const std::int32_t at = cards.Find(name, start);
  if (at < 0) {
    // The scan wrapped round and last read the record just before its start,
    // or the last record when it started at 0.
    return {false, start > 0 ? start - 1 : count - 1};
  }
  position.lastFoundName.assign(name);
  position.lastFoundPos = at + 1;
  return {true, at};
}

std::shared_ptr<const CardView> IndexView(std::shared_ptr<const CardIndex> index) {
  return std::make_shared<IndexCardView>(std::move(index));
}

std::shared_ptr<const CardView> NamesView(int fd, const std::vector<std::string_view>& names) {
  return std::make_shared<NamesCardView>(fd, names);
}

}  // namespace quillet
