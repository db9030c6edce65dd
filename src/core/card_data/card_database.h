// The card database as the program uses it: the two data files in the
// program's folder, the one working card `CurrentCard`, and the lookup of a
// card by number or by name. One CardDatabase lives for the whole run and is
// handed to everything that reads cards; tests make fresh ones over
// temporary folders.
//
// Cards are never loaded as a whole: every read fetches one 116-byte record
// from CardStat.Dat into CurrentCard. LookupCard scans forward from the last
// card found when the wanted name sorts after it, so a deck listed in name
// order costs one pass. A LookupBatch answers a run of lookups (an analysis)
// from an index instead, exactly as the scan would: the process's shared
// CardIndex when the database keeps one (the windows), else one pass over
// the file for the names the run asks for (see card_index.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "core/card_data/card_index.h"
#include "core/card_data/card_record.h"
#include "core/card_data/card_view.h"

namespace quillet {

class CardDatabase {
 public:
  // `programDir` ends with a separator; the data files are named in it.
  explicit CardDatabase(std::string programDir);
  ~CardDatabase();
  CardDatabase(const CardDatabase&) = delete;
  CardDatabase& operator=(const CardDatabase&) = delete;

  const std::string& ProgramDir() const { return programDir_; }
  const std::string& CardStatPath() const { return cardStatPath_; }
  const std::string& CardTextPath() const { return cardTextPath_; }
  bool CardStatExists() const;
  bool CardTextExists() const;

  // (Re)opens CardStat.Dat read-only, together with CardText.Dat when there
  // is one: both under the folder's shared lock, so that the two are always
  // one pair, never a record from one update and a text from another. Throws
  // IoError ("File not found" ...), or DataHalfUpdated when an update stopped
  // half-way in the folder cannot be finished by this user.
  void OpenCardStat();
  // (Re)opens CardText.Dat read-only, together with CardStat.Dat when there
  // is one, as OpenCardStat. Throws IoError, DataHalfUpdated.
  void OpenCardText();
  // Whether the last opening found CardText.Dat beside CardStat.Dat.
  bool CardTextOpen() const { return textFd_ >= 0; }
  // The process's shared index of the open CardStat.Dat (opening the pair
  // when needed): the same state as the texts read with it.
  std::shared_ptr<const CardIndex> SharedIndex();

  // A read-only view of CardStat.Dat as it is now, opened afresh with its
  // pair: the shared index when the database keeps one, else the positions
  // of `names` only. Throws IoError, DataHalfUpdated.
  std::shared_ptr<const CardView> View(const std::vector<std::string_view>& names);

  // Whole records in the open CardStat.Dat (opening it when needed); an
  // incomplete last record does not count.
  std::int32_t RecordCount();
  // Reads record i into CurrentCard. Throws "Read beyond end of file" when
  // there is no record i.
  void ReadRecord(std::int32_t i);

  // Finds the first record named exactly `name` (bytes, case-sensitive),
  // starting at LastFoundPos when `name` sorts after LastFoundName
  // (lower-cased A-Z), else at record 0, and then wrapping round to the
  // records before the start. On success CurrentCard holds the card and the
  // cache moves on; otherwise CurrentCard holds the last record read.
  // Throws IoError; an empty CardStat.Dat gives "Read beyond end of file".
  bool LookupCard(std::string_view name);

  // Whether lookup batches use the process's shared CardIndex, built once per
  // state of CardStat.Dat (a long-lived program whose panels analyse again
  // and again), or find just the names they are given (one analysis). Off
  // by default.
  void KeepIndex(bool keep) { keepIndex_ = keep; }
  bool KeepsIndex() const { return keepIndex_; }
  // The state of CardStat.Dat that the current (or last) batch answered from.
  const std::optional<CardFileState>& BatchState() const { return batchState_; }

  // The text of CurrentCard from the open CardText.Dat: positions TextStart to
  // TextEnd, cut at the end of the file. Empty when TextStart <= 0.
  std::string ReadCardTextOf();

  TCardRecord CurrentCard;
  std::int32_t CurrentCardIndex = 0;
  std::int32_t TextPos = 0;
  std::string LastFoundName;
  std::int32_t LastFoundPos = 0;

 private:
  friend class LookupBatch;

  enum class Needed { kStat, kText };
  void OpenPair(Needed needed);
  bool ScanLookup(std::string_view name, std::int32_t start);
  // Settles on record `at` (-1: not found) as the scan would have.
  bool IndexedLookup(std::int32_t at, std::int32_t start);
  const std::uint8_t* BatchRecord(std::int32_t i) const;

  std::string programDir_;
  std::string cardStatPath_;
  std::string cardTextPath_;
  int statFd_ = -1;
  int textFd_ = -1;
  bool keepIndex_ = false;
  std::optional<CardFileState> batchState_;
  // At most one of these while a LookupBatch lives.
  std::shared_ptr<const CardIndex> index_;
  std::unique_ptr<NamePositions> few_;
};

// While a LookupBatch lives, LookupCard, RecordCount and ReadRecord answer
// from one state of CardStat.Dat, with the same results (and the same
// CurrentCard, cache and CurrentCardIndex) as the scan.
class LookupBatch {
 public:
  // Uses the process's shared index of the file as it is now.
  explicit LookupBatch(CardDatabase& db);  // throws IoError
  // For lookups of `names` (others are scanned): the shared index when the
  // database keeps one, else one pass finding just these names.
  LookupBatch(CardDatabase& db, const std::vector<std::string_view>& names);  // throws IoError
  ~LookupBatch();
  LookupBatch(const LookupBatch&) = delete;
  LookupBatch& operator=(const LookupBatch&) = delete;

 private:
  CardDatabase& db_;
};

// True when `a` lower-cased (A-Z only) sorts strictly after `b` lower-cased,
// byte by byte, a prefix sorting first.
bool SortsAfterIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quillet
