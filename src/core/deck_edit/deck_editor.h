// The open deck file under edit: +1/-1 (or any count) on a card, written
// atomically, with an undo/redo history of the edits of this run.
//
// The editor keeps the bytes it last read or wrote. Every edit, undo and
// redo first reads the file again; when someone else changed it meanwhile,
// the editor takes the new bytes, forgets its history (its steps no longer
// fit the file) and refuses with DeckChangedOnDisk, so the caller reloads the
// analysis. A history step holds the whole file before and after, so undo
// restores every byte, whatever the edit did.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/safe_file.h"
#include "core/deck_edit/deck_edit.h"

namespace quillet {

inline constexpr std::string_view kDeckChangedOnDisk =
    "The deck file changed on disk; it has been reloaded.";

class DeckChangedOnDisk : public DeckEditError {
 public:
  DeckChangedOnDisk() : DeckEditError(std::string(kDeckChangedOnDisk)) {}
};

struct DeckEditStep {
  std::string name;            // the card; empty for fixed names
  std::int32_t delta = 0;      // copies added (> 0) or taken away (< 0)
  std::string before;          // the whole file before the edit
  std::string after;           // and after
  std::size_t namesFixed = 0;  // lines renamed by FixNames (delta is then 0)
};

class DeckEditor {
 public:
  DeckEditor() = default;
  // Reads `path` and starts an empty history. Throws IoError.
  explicit DeckEditor(std::string path) { Open(std::move(path)); }
  void Open(std::string path);
  // Opens `path` holding its lock (FileLock) until the editor is destroyed,
  // so that a one-shot edit reads, checks and writes the deck as one step.
  // For one edit only: the lock stays on the file that edit replaces.
  void OpenHeld(std::string path);
  // A new, empty deck file at `path` (replacing any file there, which the
  // caller asked the user about), written under the deck's lock, then opened.
  void Create(std::string path);

  const std::string& Path() const { return path_; }
  const std::string& Bytes() const { return bytes_; }
  bool IsOpen() const { return !path_.empty(); }

  // Adds `count` copies (count >= 1). Throws DeckEditError (or
  // DeckChangedOnDisk) and IoError; the file is unchanged then.
  void Add(std::string_view name, std::int32_t count = 1);
  // Takes `count` copies away (count >= 1); "'NAME' is not in the deck."
  // when the card has no line.
  void Remove(std::string_view name, std::int32_t count = 1);

  // Gives lines new names (see ReplaceDeckNames) in one write and one step
  // of the history. No fixes: nothing is written. Throws as Add does.
  void FixNames(const std::vector<NameFix>& fixes);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < history_.size(); }
  const DeckEditStep* NextUndo() const { return CanUndo() ? &history_[done_ - 1] : nullptr; }
  const DeckEditStep* NextRedo() const { return CanRedo() ? &history_[done_] : nullptr; }
  void Undo();  // throws as Add does
  void Redo();

  // Whether the file on disk still holds the bytes last read or written.
  bool ChangedOnDisk() const;
  // Takes the file's bytes as they are now, after the program has read the
  // file again (a reload): the next edit then works on what the user sees
  // instead of being refused. A history that no longer fits is dropped. A
  // file that cannot be read is left for the next edit to report.
  void Resync();

 private:
  void Edit(std::string_view name, std::int32_t delta);
  void Record(DeckEditStep step);
  void CheckUnchanged();
  void Write(const std::string& bytes);
  std::unique_ptr<FileLock> LockUnlessHeld() const;

  std::unique_ptr<FileLock> held_;
  std::string path_;
  std::string bytes_;
  std::vector<DeckEditStep> history_;
  std::size_t done_ = 0;  // steps of history_ in effect; the rest can be redone
};

}  // namespace quillet
