#include "updater/card_data_update.h"

#include <unistd.h>

#include <cerrno>
#include <optional>

#include "card_data/file_util.h"
#include "card_data/io_error.h"
#include "updater/card_list_importer.h"

namespace quillet {
namespace {

// The data files are replaced by rename, which would succeed even over a
// file the user has made read-only; such a file is refused as the platform
// refuses to rewrite it.
void RefuseReadOnly(const std::string& path) {
  if (FileExists(path) && ::access(path.c_str(), W_OK) != 0) ThrowErrno(errno);
}

}  // namespace

void UpdateCardData(CardDatabase& db, const std::string& cardsPath, const UpdateOptions& options) {
  if (cardsPath.empty()) return;
  FileSource cardsFile(cardsPath);
  UpdateCardData(db, cardsFile, options);
}

void UpdateCardData(CardDatabase& db, ByteSource& cardsFile, const UpdateOptions& options) {
  // CardText.Dat is refused even when the texts are left out: removing the
  // file would override the user's protection just as rewriting it would.
  RefuseReadOnly(db.CardStatPath());
  RefuseReadOnly(db.CardTextPath());

  // The data folder may not exist yet (the first update in the user's data
  // home). One update at a time holds it; a killed update leaves its
  // temporary files, which the next one removes before writing its own.
  MakeDirectories(db.ProgramDir());
  const FolderLock lock(db.ProgramDir());
  for (const char* name : {"CardStat.Dat", "CardText.Dat"}) RemoveStaleTemps(db.ProgramDir(), name);

  AtomicFile cardStat(db.CardStatPath());
  BufferedSink statSink(cardStat.fd());
  std::optional<AtomicFile> cardText;
  std::optional<BufferedSink> textSink;
  if (options.CardTextCheck) {
    cardText.emplace(db.CardTextPath());
    textSink.emplace(cardText->fd());
  }

  CardListImporter importer(cardsFile, db.CurrentCard, statSink, textSink ? &*textSink : nullptr,
                            options);
  importer.ImportCardList();

  // Both files reach the disk before either replaces its old one, so a write
  // the disk only rejects late fails the update while both old files stand.
  statSink.Flush();
  cardStat.Sync();
  if (cardText) {
    textSink->Flush();
    cardText->Sync();
    cardText->Commit();
  }
  cardStat.Commit();
  if (!cardText) RemoveFile(db.CardTextPath());

  // Readers of the database see the new files from now on.
  db.OpenCardStat();
  if (db.CardTextExists()) db.OpenCardText();
}

}  // namespace quillet
