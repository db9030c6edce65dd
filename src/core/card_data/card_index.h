// Answers for LookupCard without scanning CardStat.Dat name by name.
//
// CardIndex holds one state of the file (its records and every name's record
// numbers). It is built at most once per state and shared by everything in
// the process that reads cards, so a window that refreshes many panels after
// an edit reads and hashes the file once, not once per panel. The state is
// the file's device, inode, size and modification time: a rewrite by the
// updater or by another tool gives a new state and the next user builds a
// new index.
//
// NamePositions serves a single analysis that needs no lasting index (a
// command-line run): one pass over a memory map of the file compares every
// record's name in place with the few names the deck asks for, and keeps
// where each of them stands. No record is copied and no other name hashed.
//
// Both answer through FindFrom, which applies the lookup rule to a name's
// record numbers, so their answers are the scan's by construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/card_data/card_record.h"

namespace quillet {

// What tells one content of a file from another without reading it.
struct CardFileState {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t mtimeNs = 0;
  bool operator==(const CardFileState&) const = default;
};

// The state of an open file. Throws IoError.
CardFileState StateOfOpenFile(int fd);
// The state of the file at `path`; nullopt when it cannot be examined.
std::optional<CardFileState> StateOfFile(const std::string& path);

// The record LookupCard settles on, given the numbers of the records carrying
// the name in file order: the first at or after `start`, else the first of
// all (the scan wraps round). -1 when `positions` is empty.
std::int32_t FindFrom(std::span<const std::int32_t> positions, std::int32_t start);

// The name stored in a record, its length byte capped at the field.
std::string_view StoredName(const std::uint8_t* record);

class CardIndex {
 public:
  // Reads every whole record of the open file and indexes its names.
  // Throws IoError.
  explicit CardIndex(int fd);
  CardIndex(const CardIndex&) = delete;
  CardIndex& operator=(const CardIndex&) = delete;

  // The index of the file at `path` as it is now: the one built for this
  // state earlier in the process, or a new one that later callers then share.
  // Throws IoError (a missing file: "File not found").
  static std::shared_ptr<const CardIndex> Shared(const std::string& path);
  // The same for the file at `path` already open as `fd` (a reader that
  // opened its data files together reads the records of that opening).
  static std::shared_ptr<const CardIndex> Shared(const std::string& path, int fd);

  const CardFileState& State() const { return state_; }
  std::int32_t Count() const { return count_; }
  const std::uint8_t* Record(std::int32_t i) const {
    return bytes_.data() + static_cast<std::size_t>(i) * kRecordSize;
  }
  // LookupCard's record for `name` from `start` (see FindFrom); -1: none.
  std::int32_t Find(std::string_view name, std::int32_t start) const;
  // The first record named exactly `name`, or -1.
  std::int32_t First(std::string_view name) const { return Find(name, 0); }

 private:
  std::size_t SlotOf(std::string_view name) const;

  CardFileState state_;
  std::int32_t count_ = 0;
  std::vector<std::uint8_t> bytes_;
  // Open addressing over the distinct names: the first record of the name,
  // or -1 for a free slot. next_ chains the later records of one name.
  std::vector<std::int32_t> slots_;
  std::vector<std::int32_t> next_;
};

class NamePositions {
 public:
  // Maps the open file and finds where each of `names` stands.
  // Throws IoError.
  NamePositions(int fd, const std::vector<std::string_view>& names);
  ~NamePositions();
  NamePositions(const NamePositions&) = delete;
  NamePositions& operator=(const NamePositions&) = delete;

  std::int32_t Count() const { return count_; }
  const std::uint8_t* Record(std::int32_t i) const {
    return map_ + static_cast<std::size_t>(i) * kRecordSize;
  }
  bool Covers(std::string_view name) const { return positions_.contains(name); }
  // As CardIndex::Find, for a name it covers.
  std::int32_t Find(std::string_view name, std::int32_t start) const;

 private:
  const std::uint8_t* map_ = nullptr;
  std::size_t mapSize_ = 0;
  std::int32_t count_ = 0;
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const noexcept {
      return std::hash<std::string_view>{}(name);
    }
  };
  std::unordered_map<std::string, std::vector<std::int32_t>, NameHash, std::equal_to<>> positions_;
};

}  // namespace quillet
