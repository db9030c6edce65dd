#pragma once

#include <functional>

#include "gui/platform/platform.h"

namespace quillet {

class QtPlatform final : public Platform {
 public:
  // `showHelp` opens the help window at a topic; the shell supplies it.
  void SetHelpHandler(std::function<void(QWidget*, const QString&)> showHelp) {
    showHelp_ = std::move(showHelp);
  }

  void ShowMessage(QWidget* parent, const QString& text) override;
  std::optional<QString> GetOpenFileName(QWidget* parent,
                                         const FileDialogOptions& options) override;
  std::optional<QString> GetSaveFileName(QWidget* parent,
                                         const FileDialogOptions& options) override;
  void SetClipboardText(const QString& text) override;
  QString ClipboardText() override;
  void SetClipboardImage(const QImage& image) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  void BeginBusy() override;
  void EndBusy() override;
  void ShowHelp(QWidget* parent, const QString& topic) override;
  bool OpenUrl(const QString& url) override;
  std::unique_ptr<FileWatcher> NewFileWatcher() override;

 private:
  std::function<void(QWidget*, const QString&)> showHelp_;
};

}  // namespace quillet
