#pragma once

#include <QSize>
#include <functional>

#include "gui/platform/platform.h"

namespace quillet {

class QtPlatform final : public Platform {
 public:
  // `showHelp` opens the help window at a topic; the shell supplies it.
  void setHelpHandler(std::function<void(QWidget*, const QString&)> showHelp) {
    showHelp_ = std::move(showHelp);
  }

  void showMessage(QWidget* parent, const QString& text) override;
  std::optional<QString> getOpenFileName(QWidget* parent,
                                         const FileDialogOptions& options) override;
  std::optional<QString> getSaveFileName(QWidget* parent,
                                         const FileDialogOptions& options) override;
  void setClipboardText(const QString& text) override;
  QString clipboardText() override;
  void setClipboardImage(const QImage& image) override;
  bool choosePrinter(QWidget* parent, QPrinter& printer) override;
  void beginBusy() override;
  void endBusy() override;
  void showHelp(QWidget* parent, const QString& topic) override;
  bool openUrl(const QString& url) override;
  std::unique_ptr<FileWatcher> newFileWatcher() override;

 private:
  std::function<void(QWidget*, const QString&)> showHelp_;
  // The size the player last gave a file dialog; the next one opens at it.
  QSize fileDialogSize_;
};

}  // namespace quillet
