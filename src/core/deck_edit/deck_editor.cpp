#include "core/deck_edit/deck_editor.h"

#include <unistd.h>

#include <cerrno>

#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/safe_file.h"

namespace quillet {
namespace {

std::string ReadFile(const std::string& path) {
  FileSource file(path);
  ByteReader reader(file);
  std::string bytes;
  for (int b = reader.Get(); b != ByteReader::kEnd; b = reader.Get()) {
    bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

}  // namespace

void DeckEditor::Open(std::string path) {
  std::string bytes = ReadFile(path);
  path_ = std::move(path);
  bytes_ = std::move(bytes);
  history_.clear();
  done_ = 0;
}

void DeckEditor::OpenHeld(std::string path) {
  auto lock = std::make_unique<FileLock>(path);
  Open(std::move(path));
  held_ = std::move(lock);
}

std::unique_ptr<FileLock> DeckEditor::LockUnlessHeld() const {
  // Held from the check to the rename: an edit made by another process in
  // between would be lost under ours.
  return held_ ? nullptr : std::make_unique<FileLock>(path_);
}

void DeckEditor::Create(std::string path) {
  // Under the deck's lock as every writer of a deck, up to the read of the
  // new file: a file of that name an edit is replacing meanwhile is
  // replaced after that edit, not in its midst, and the editor starts from
  // the empty file it made.
  const FileLock lock(path);
  {
    AtomicFile file(path);
    file.Commit();
  }
  Open(std::move(path));
}

bool DeckEditor::ChangedOnDisk() const {
  // The content is compared, not the size and time: an editor can save new
  // bytes of the same size within the clock's resolution.
  try {
    return ReadFile(path_) != bytes_;
  } catch (const IoError&) {
    return true;
  }
}

void DeckEditor::Resync() {
  if (path_.empty()) return;
  std::string now;
  try {
    now = ReadFile(path_);
  } catch (const IoError&) {
    return;
  }
  if (now == bytes_) return;
  bytes_ = std::move(now);
  history_.clear();
  done_ = 0;
}

void DeckEditor::CheckUnchanged() {
  if (path_.empty()) throw DeckEditError("No deck is open.");
  std::string now = ReadFile(path_);
  if (now == bytes_) return;
  bytes_ = std::move(now);
  history_.clear();
  done_ = 0;
  throw DeckChangedOnDisk();
}

void DeckEditor::Write(const std::string& bytes) {
  AtomicFile file(path_);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(file.fd(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  file.Commit();
  bytes_ = bytes;
}

void DeckEditor::Add(std::string_view name, std::int32_t count) {
  if (count < 1) throw DeckEditError("The number of copies must be at least 1.");
  Edit(name, count);
}

void DeckEditor::Remove(std::string_view name, std::int32_t count) {
  if (count < 1) throw DeckEditError("The number of copies must be at least 1.");
  Edit(name, -count);
}

void DeckEditor::Edit(std::string_view name, std::int32_t delta) {
  const auto lock = LockUnlessHeld();
  CheckUnchanged();
  std::string after = EditDeckBytes(bytes_, name, delta);
  Record(DeckEditStep{std::string(name), delta, bytes_, std::move(after), 0});
}

void DeckEditor::FixNames(const std::vector<NameFix>& fixes) {
  if (fixes.empty()) return;
  const auto lock = LockUnlessHeld();
  CheckUnchanged();
  std::string after = ReplaceDeckNames(bytes_, fixes);
  Record(DeckEditStep{{}, 0, bytes_, std::move(after), fixes.size()});
}

void DeckEditor::Record(DeckEditStep step) {
  Write(step.after);
  history_.resize(done_);
  history_.push_back(std::move(step));
  done_ = history_.size();
}

void DeckEditor::Undo() {
  if (!CanUndo()) return;
  const auto lock = LockUnlessHeld();
  CheckUnchanged();
  Write(history_[done_ - 1].before);
  --done_;
}

void DeckEditor::Redo() {
  if (!CanRedo()) return;
  const auto lock = LockUnlessHeld();
  CheckUnchanged();
  Write(history_[done_].after);
  ++done_;
}

}  // namespace quillet
