// Everything the windows ask of the desktop goes through Platform: modal
// message boxes, the open and save dialogs, the clipboard, the busy cursor,
// help, opening addresses in the browser and watching files. QtPlatform is the real one;
// tests use ScriptedPlatform (tests/support), which answers from a script and
// records what was shown.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "gui/platform/file_watcher.h"

class QImage;
class QPrinter;
class QWidget;

namespace quillet {

struct FileDialogOptions {
  QString title;                                        // empty: the toolkit's default
  QString initialDirectory;                             // empty: the toolkit's default
  QString fileName;                                     // proposed name, for example "*.txt"
  QString filter = QStringLiteral("Text Files|*.txt");  // description|pattern pairs
  QString defaultSuffix;  // added when the user types a name without one
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with one OK button, titled "Orvane Deck Analyzer".
  virtual void showMessage(QWidget* parent, const QString& text) = 0;
  // The chosen file's full path, or nullopt when the user cancelled.
  virtual std::optional<QString> getOpenFileName(QWidget* parent,
                                                 const FileDialogOptions& options) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<QString> getSaveFileName(QWidget* parent,
                                                 const FileDialogOptions& options) = 0;
  virtual void setClipboardText(const QString& text) = 0;
  virtual QString clipboardText() = 0;
  virtual void setClipboardImage(const QImage& image) = 0;
  // The print dialog over `printer` (where "Print to PDF" is one of the
  // printers); true when the user chose to print.
  virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
  // Shows the busy cursor until the matching endBusy; use BusyCursor.
  virtual void beginBusy() = 0;
  virtual void endBusy() = 0;
  // Opens the program's help at a topic id such as "IDH_110".
  virtual void showHelp(QWidget* parent, const QString& topic) = 0;
  // Asks the desktop to open an address; the result is only informative.
  virtual bool openUrl(const QString& url) = 0;
  // A new watcher for one file. Platforms that cannot watch (most test
  // doubles) give one that never reports.
  virtual std::unique_ptr<FileWatcher> newFileWatcher();
};

// The busy cursor for the lifetime of the guard, restored on every path.
class BusyCursor {
 public:
  explicit BusyCursor(Platform& platform) : platform_(platform) { platform_.beginBusy(); }
  ~BusyCursor() { platform_.endBusy(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Platform& platform_;
};

// A watcher that never reports, for platforms without file watching.
class InertFileWatcher final : public FileWatcher {
 public:
  void watch(const QString& path) override { path_ = path; }
  QString watched() const override { return path_; }

 private:
  QString path_;
};

inline std::unique_ptr<FileWatcher> Platform::newFileWatcher() {
  return std::make_unique<InertFileWatcher>();
}

// "Text Files|*.txt" as a Qt name filter: "Text Files (*.txt)".
QString QtNameFilter(const QString& filter);

inline const QString kApplicationTitle = QStringLiteral("Orvane Deck Analyzer");

}  // namespace quillet

namespace quillet {
// The two home pages of the Help menu.
inline const QString kUtilitiesHomePage = QStringLiteral("https://quillet.example.org/");
inline const QString kOrvaneHomePage = QStringLiteral("https://orvane.example.org/");
}  // namespace quillet
