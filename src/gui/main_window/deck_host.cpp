#include "gui/main_window/deck_host.h"

#include "gui/main_window/shown_text.h"

namespace quillet {

std::optional<std::string> PlatformDeckHost::ChooseDeckFile(const std::string& initialDirectory) {
  if (path_) {
    chosen_ = !path_->empty();
    return path_;
  }
  FileDialogOptions options;
  options.initialDirectory = ShownPath(initialDirectory);
  options.fileName = QStringLiteral("*.txt");
  options.filter = QStringLiteral("Text Files|*.txt");
  const std::optional<QString> path = platform_.getOpenFileName(window_, options);
  chosen_ = path.has_value() && !path->isEmpty();
  if (!chosen_) return std::nullopt;
  return PathBytes(*path);
}

void PlatformDeckHost::ShowMessage(const std::string& text) {
  if (holding_) {
    held_.push_back(text);
    return;
  }
  if (beforeMessage) beforeMessage();
  platform_.showMessage(window_, ShownMessage(text));
}

void PlatformDeckHost::showHeldMessages() {
  holding_ = false;
  std::vector<std::string> held;
  held.swap(held_);
  for (const std::string& text : held) ShowMessage(text);
}

}  // namespace quillet
