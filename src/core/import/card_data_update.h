// The update of the card database: reads the card list written by the
// card-listing tool and rebuilds CardStat.Dat (and CardText.Dat) in the
// database's folder. The new files are written beside the old ones under
// temporary names and take their place only once the whole list has been
// imported, so a failed update leaves the previous database as it was.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"

namespace quillet {

// The updater's check boxes: the corrections of cards the card list gets
// wrong, and whether the card texts are written. HoloCheck has no effect.
struct UpdateOptions {
  bool DHQCheck = true, HoloCheck = true, BikerCheck = true, BullCheck = true, JonesCheck = true,
       RookCheck = true, CardTextCheck = true;
};

// UpdateButtonClick steps 4 to 9 without the dialog: reads the card list at
// `cardsPath` and rebuilds CardStat.Dat (and CardText.Dat, or removes it) in
// the database's folder, creating the folder when missing and removing the
// temporary files of updates that were killed. The working record is
// db.CurrentCard (it holds the last line's record afterwards). Throws
// IoError, CardListRefused or DataFileRefused; then the previous data files
// are exactly as they were. Throws DataUpdateLeftPending when the new ones
// are only partly in place. An empty `cardsPath` (no list chosen) does
// nothing.
void UpdateCardData(CardDatabase& db, const std::string& cardsPath, const UpdateOptions& options);

// A card list that cannot be one (it holds a NUL byte), that yields no card,
// or none of whose lines holds a card's fields; the old database is kept.
// The message names the list.
class CardListRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A data file refused before anything was written (write-protected, a
// dangling link, not a regular file): the message is the cause, path() the
// data file as the database names it.
class DataFileRefused : public std::runtime_error {
 public:
  DataFileRefused(std::string path, const std::string& cause)
      : std::runtime_error(cause), path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The new pair was committed by its journal but a rename failed (a full
// disk, an I/O error): the update is not undone, it is finished by the next
// program that opens the folder. The message names the folder and the cause.
class DataUpdateLeftPending : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The same from an already opened card list, named `listName` in messages.
// Throws CardListRefused as well.
void UpdateCardData(CardDatabase& db, ByteSource& cardsFile, const UpdateOptions& options,
                    const std::string& listName = "the card list");

}  // namespace quillet
