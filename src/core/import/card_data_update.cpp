#include "core/import/card_data_update.h"

#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "core/card_data/data_journal.h"
#include "core/card_data/file_util.h"
#include "core/card_data/io_error.h"
#include "core/import/card_list_importer.h"

namespace quillet {
namespace {

// The data files are replaced by rename, which would succeed even over a
// file the user has made read-only; such a file is refused as the platform
// refuses to rewrite it.
void RefuseReadOnly(const std::string& path) {
  RefuseWriteProtected(ResolveWriteTarget(path));
}

std::string Absolute(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  std::vector<char> cwd(4096);
  if (::getcwd(cwd.data(), cwd.size()) == nullptr) ThrowErrno(errno);
  return std::string(cwd.data()) + "/" + path;
}

// The card list as the importer reads it, refused at the first NUL byte: no
// card list holds one, and a file that does is not text at all.
class TextOnlySource final : public ByteSource {
 public:
  TextOnlySource(ByteSource& source, const std::string& listName)
      : source_(source), listName_(listName) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    const std::size_t n = source_.Read(buffer, size);
    for (std::size_t i = 0; i < n; ++i) {
      if (buffer[i] == '\n') ++line_;
      if (buffer[i] == 0) {
        throw CardListRefused("'" + listName_ + "' is not a card list: line " +
                              std::to_string(line_) + " holds a NUL byte.");
      }
    }
    return n;
  }

 private:
  ByteSource& source_;
  const std::string& listName_;
  std::int64_t line_ = 1;
};

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

  // The data folder may not exist yet (the first update in the user's data
  // home). One update at a time holds it; an update stopped after its
  // journal is finished, and a killed one's temporary files removed, before
  // this one writes its own.
  MakeDirectories(db.ProgramDir());
  const FolderLock lock(db.ProgramDir());
  FinishDataUpdate(db.ProgramDir());
  for (const char* name : {"CardStat.Dat", "CardText.Dat"}) RemoveStaleTemps(db.ProgramDir(), name);

  AtomicFile cardStat(db.CardStatPath());
  BufferedSink statSink(cardStat.fd());
  std::optional<AtomicFile> cardText;
  std::optional<BufferedSink> textSink;
  if (options.CardTextCheck) {
    cardText.emplace(db.CardTextPath());
    textSink.emplace(cardText->fd());
  }

  TextOnlySource text(cardsFile, listName);
  CardListImporter importer(text, db.CurrentCard, statSink, textSink ? &*textSink : nullptr,
                            options);
  importer.ImportCardList();
  // A list without a single card would leave a database without cards: the
  // wrong file was chosen, and the cards the user has are worth keeping.
  if (importer.LineCount() == 0) throw CardListRefused("'" + listName + "' holds no cards.");

  // Both files are complete on disk before the journal commits the pair;
  // from then on the pair is replaced, even by the next process to open the
  // folder if this one is stopped.
  statSink.Flush();
  std::vector<JournalStep> steps;
  steps.push_back({Absolute(cardStat.Name()), Absolute(cardStat.target())});
  if (cardText) {
    textSink->Flush();
    steps.push_back({Absolute(cardText->Name()), Absolute(cardText->target())});
  } else {
    steps.push_back({std::string(), Absolute(ResolveWriteTarget(db.CardTextPath()))});
  }
  WriteJournal(db.ProgramDir(), steps);
  cardStat.KeepName();
  if (cardText) cardText->KeepName();
  ApplyJournal(db.ProgramDir(), steps);

  // Readers of the database see the new files from now on.
  db.OpenCardStat();
  if (db.CardTextExists()) db.OpenCardText();
}

}  // namespace quillet
