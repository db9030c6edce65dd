// What the open-deck sequence asks of the desktop, answered by the Platform:
// the open dialog, the busy cursor and the message boxes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/master_model.h"
#include "gui/platform/platform.h"

namespace quillet {

class PlatformDeckHost final : public OpenDeckHost {
 public:
  PlatformDeckHost(Platform& platform, QWidget* window) : platform_(platform), window_(window) {}

  std::optional<std::string> ChooseDeckFile(const std::string& initialDirectory) override;
  void BeginBusy() override { platform_.beginBusy(); }
  void EndBusy() override { platform_.endBusy(); }
  void ShowMessage(const std::string& text) override;

  // Answers the open-deck sequence with `path` instead of asking in the
  // dialog: a deck named on the command line, dropped, chosen from the
  // recent list or reloaded.
  void usePath(std::string path) { path_ = std::move(path); }

  // Whether the user confirmed a file in the open dialog (or one was given).
  bool chosen() const { return chosen_; }

  // Runs before each message box, so the window can first show what the
  // analysis has reached (an emptied window behind "not a valid deck file").
  std::function<void()> beforeMessage;

  // Keeps the messages instead of showing them, until showHeldMessages: a
  // reload of a deck already reported broken says nothing new when it fails
  // again, but a mended deck's messages (cards not found) still show.
  void holdMessages() { holding_ = true; }
  void showHeldMessages();

 private:
  Platform& platform_;
  QWidget* window_;
  bool chosen_ = false;
  std::optional<std::string> path_;
  bool holding_ = false;
  std::vector<std::string> held_;
};

}  // namespace quillet
