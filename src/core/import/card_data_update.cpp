#include "core/import/card_data_update.h"

#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "core/card_data/data_journal.h"
#include "core/card_data/io_error.h"
#include "core/card_data/paths.h"
#include "core/card_data/safe_file.h"
#include "core/card_data/temp_files.h"
#include "core/import/card_list_importer.h"

namespace quillet {
namespace {

// The data files are replaced by rename, which would succeed even over a
// file the user has made read-only; such a file is refused as the platform
// refuses to rewrite it. The refusal names the data file.
void RefuseReadOnly(const std::string& path) {
  try {
    RefuseWriteProtected(ResolveWriteTarget(path));
  } catch (const IoError& e) {
    throw DataFileRefused(path, e.what());
  }
}

// A card listing line holds 16 TAB-separated fields.
constexpr int kCardLineTabs = 15;

// The card list as the importer reads it, refused at the first NUL byte: no
// card list holds one, and a file that does is not text at all. It also
// notes whether any line has a card's fields, which a deck list or a README
// that happens to yield "cards" never has.
class TextOnlySource final : public ByteSource {
 public:
  TextOnlySource(ByteSource& source, const std::string& listName)
      : source_(source), listName_(listName) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    const std::size_t n = source_.Read(buffer, size);
    for (std::size_t i = 0; i < n; ++i) {
      if (buffer[i] == '\n') {
        ++line_;
        tabs_ = 0;
      } else if (buffer[i] == '\t' && ++tabs_ == kCardLineTabs) {
        sawCardLine_ = true;
      }
      if (buffer[i] == 0) {
        throw CardListRefused("'" + listName_ + "' is not a card list: line " +
                              std::to_string(line_) + " holds a NUL byte.");
      }
    }
    return n;
  }
  bool SawCardLine() const { return sawCardLine_; }

 private:
  ByteSource& source_;
  const std::string& listName_;
  std::int64_t line_ = 1;
  int tabs_ = 0;
  bool sawCardLine_ = false;
};

void OpenDataFile(std::optional<AtomicFile>& file, const std::string& path) {
  try {
    file.emplace(path);
  } catch (const IoError& e) {
    throw DataFileRefused(path, e.what());
  }
}

std::string BareName(const std::string& path) {
  return path.substr(DirectoryPart(path).size());
}

std::string Shown(const std::string& dir) {
  return dir.size() > 1 && dir.back() == '/' ? dir.substr(0, dir.size() - 1) : dir;
}

// Writes the new pair and commits it, all under the folder's exclusive lock.
void WriteCardData(CardDatabase& db, ByteSource& cardsFile, const UpdateOptions& options,
                   const std::string& listName) {
  const std::string& dir = db.ProgramDir();
  MakeDirectories(dir);
  const FolderLock lock(dir);
  // An update stopped after its journal is finished (by this process: it
  // must not wait for the lock it holds), and a killed one's temporary files
  // removed, before this one writes its own.
  FinishDataUpdateLocked(dir);
  for (const char* name : {"CardStat.Dat", "CardText.Dat"}) RemoveStaleTemps(dir, name);

  std::optional<AtomicFile> cardStat;
  OpenDataFile(cardStat, db.CardStatPath());
  BufferedSink statSink(cardStat->fd());
  std::optional<AtomicFile> cardText;
  std::optional<BufferedSink> textSink;
  if (options.CardTextCheck) {
    OpenDataFile(cardText, db.CardTextPath());
    textSink.emplace(cardText->fd());
  }

  TextOnlySource text(cardsFile, listName);
  CardListImporter importer(text, db.CurrentCard, statSink, textSink ? &*textSink : nullptr,
                            options);
  importer.ImportCardList();
  // A list without a single card, or without a line that has a card's
  // fields (a deck list, a README: every line a "card" of its own), would
  // leave a database of nonsense: the wrong file was chosen, and the cards
  // the user has are worth keeping.
  if (importer.LineCount() == 0) throw CardListRefused("'" + listName + "' holds no cards.");
  if (!text.SawCardLine()) {
    throw CardListRefused("'" + listName +
                          "' is not a card list: no line holds the 16 fields of a card.");
  }

  // Both files are complete on disk before the journal commits the pair;
  // from then on the pair is replaced, even by the next process to open the
  // folder if this one is stopped. The journal names them by their bare
  // names: the temporary files lie beside the files they replace.
  statSink.Flush();
  std::vector<JournalStep> steps;
  steps.push_back({BareName(cardStat->Name()), "CardStat.Dat"});
  if (cardText) {
    textSink->Flush();
    steps.push_back({BareName(cardText->Name()), "CardText.Dat"});
  } else {
    steps.push_back({std::string(), "CardText.Dat"});
  }
  WriteJournal(dir, steps);
  cardStat->KeepName();
  if (cardText) cardText->KeepName();
  try {
    ApplyJournal(dir, steps);
  } catch (const IoError& e) {
    // The journal holds the new pair now; undoing half of it could fail the
    // same way, and finishing it is what any later opener does anyway.
    throw DataUpdateLeftPending(Shown(dir) + ": " + e.what() +
                                "; the new card data will be finished by the next program that "
                                "opens this folder.");
  }
}

}  // namespace

void UpdateCardData(CardDatabase& db, const std::string& cardsPath, const UpdateOptions& options) {
  if (cardsPath.empty()) return;
  FileSource cardsFile(cardsPath);
  UpdateCardData(db, cardsFile, options, cardsPath);
}

void UpdateCardData(CardDatabase& db, ByteSource& cardsFile, const UpdateOptions& options,
                    const std::string& listName) {
  // CardText.Dat is refused even when the texts are left out: removing the
  // file would override the user's protection just as rewriting it would.
  RefuseReadOnly(db.CardStatPath());
  RefuseReadOnly(db.CardTextPath());
  WriteCardData(db, cardsFile, options, listName);

  // Readers of the database see the new files from now on (opened under the
  // shared lock, so after the exclusive one is released).
  db.OpenCardStat();
}

}  // namespace quillet
