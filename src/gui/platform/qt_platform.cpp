#include "gui/platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QUrl>

#include "gui/platform/qt_file_watcher.h"

namespace quillet {

QString QtNameFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << QStringLiteral("%1 (%2)").arg(
        parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
  }
  return filters.join(QStringLiteral(";;"));
}

void QtPlatform::showMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

namespace {

// Wide enough for the Name, Size, Type and Date columns of the detail view.
constexpr QSize kFileDialogSize(860, 520);

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogOptions& options,
                                     QFileDialog::AcceptMode mode, QSize& kept) {
  QFileDialog dialog(parent, options.title);
  // At the size the player last left a file dialog, else one that shows
  // every column, within the screen.
  QSize size = kept.isValid() ? kept : kFileDialogSize.expandedTo(dialog.sizeHint());
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  dialog.resize(size);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilter(QtNameFilter(options.filter));
  if (!options.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(options.defaultSuffix);
  if (!options.initialDirectory.isEmpty() && QDir(options.initialDirectory).exists()) {
    dialog.setDirectory(options.initialDirectory);
  }
  // A bare pattern such as "*.txt" is what the filter already shows.
  if (!options.fileName.isEmpty() && !options.fileName.contains(QLatin1Char('*'))) {
    dialog.selectFile(options.fileName);
  }
  const int answer = dialog.exec();
  kept = dialog.size();
  if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtPlatform::getOpenFileName(QWidget* parent,
                                                   const FileDialogOptions& options) {
  return RunFileDialog(parent, options, QFileDialog::AcceptOpen, fileDialogSize_);
}

std::optional<QString> QtPlatform::getSaveFileName(QWidget* parent,
                                                   const FileDialogOptions& options) {
  return RunFileDialog(parent, options, QFileDialog::AcceptSave, fileDialogSize_);
}

void QtPlatform::setClipboardText(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
}
QString QtPlatform::clipboardText() {
  return QGuiApplication::clipboard()->text();
}

void QtPlatform::setClipboardImage(const QImage& image) {
  QGuiApplication::clipboard()->setImage(image);
}

bool QtPlatform::choosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::beginBusy() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}
void QtPlatform::endBusy() {
  QApplication::restoreOverrideCursor();
}

void QtPlatform::showHelp(QWidget* parent, const QString& topic) {
  if (showHelp_) showHelp_(parent, topic);
}

bool QtPlatform::openUrl(const QString& url) {
  return QDesktopServices::openUrl(QUrl(url));
}

std::unique_ptr<FileWatcher> QtPlatform::newFileWatcher() {
  return std::make_unique<QtFileWatcher>();
}

}  // namespace quillet
