// The platform of the window tests: file dialogs answer from queues set up by
// the test, message boxes are recorded instead of shown, the clipboard is a
// string, the busy cursor is counted so tests can check it is restored, and
// the file watcher reports when the test says so.
#pragma once

#include <QImage>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gui/platform/platform.h"

namespace quillet::test {

// A watcher the test fires by hand, as the system would after a save.
class ScriptedFileWatcher final : public FileWatcher {
 public:
  void watch(const QString& path) override { path_ = path; }
  QString watched() const override { return path_; }
  void Fire() {
    if (changed) changed();
  }

 private:
  QString path_;
};

class ScriptedPlatform final : public Platform {
 public:
  std::deque<std::optional<QString>> openAnswers;  // nullopt: the user cancels
  std::deque<std::optional<QString>> saveAnswers;
  std::vector<FileDialogOptions> openRequests;
  std::vector<FileDialogOptions> saveRequests;
  QStringList messages;
  QString clipboard;
  QImage clipboardImage;
  // Each print dialog takes the next answer: a PDF file to print to, or
  // nullopt for Cancel.
  std::deque<std::optional<QString>> printAnswers;
  int printRequests = 0;
  QString printDocName;  // what the last print dialog was handed
  QString printFileName;
  int busyDepth = 0;
  int busyCount = 0;
  QStringList helpTopics;
  QStringList openedUrls;

  // Called as each message box would open, to look at the window behind it.
  std::function<void(const QString&)> onMessage;

  void showMessage(QWidget*, const QString& text) override {
    messages << text;
    if (onMessage) onMessage(text);
  }
  std::optional<QString> getOpenFileName(QWidget*, const FileDialogOptions& options) override {
    openRequests.push_back(options);
    return Next(openAnswers);
  }
  std::optional<QString> getSaveFileName(QWidget*, const FileDialogOptions& options) override {
    saveRequests.push_back(options);
    return Next(saveAnswers);
  }
  void setClipboardText(const QString& text) override { clipboard = text; }
  QString clipboardText() override { return clipboard; }
  void setClipboardImage(const QImage& image) override { clipboardImage = image; }
  bool choosePrinter(QWidget*, QPrinter& printer) override {
    ++printRequests;
    printDocName = printer.docName();
    printFileName = printer.outputFileName();
    const std::optional<QString> answer = Next(printAnswers);
    if (!answer) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*answer);
    return true;
  }
  void beginBusy() override {
    ++busyDepth;
    ++busyCount;
  }
  void endBusy() override { --busyDepth; }
  void showHelp(QWidget*, const QString& topic) override { helpTopics << topic; }
  bool openUrl(const QString& url) override {
    openedUrls << url;
    return true;
  }
  // The last watcher handed out; the window that asked for it owns it.
  ScriptedFileWatcher* watcher = nullptr;
  std::unique_ptr<FileWatcher> newFileWatcher() override {
    auto made = std::make_unique<ScriptedFileWatcher>();
    watcher = made.get();
    return made;
  }

 private:
  // Written without copying the optional, which GCC's optimiser misreads as
  // possibly uninitialised.
  static std::optional<QString> Next(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    const bool chosen = queue.front().has_value();
    const QString path = chosen ? *queue.front() : QString();
    queue.pop_front();
    if (!chosen) return std::nullopt;
    return path;
  }
};

}  // namespace quillet::test
