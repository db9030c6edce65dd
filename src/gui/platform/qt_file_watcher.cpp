#include "gui/platform/qt_file_watcher.h"

#include <QFileInfo>

namespace quillet {

namespace {

constexpr int kSettleMilliseconds = 150;

}  // namespace

QtFileWatcher::QtFileWatcher() {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  QObject::connect(&settle_, &QTimer::timeout, [this] {
    if (changed) changed();
  });
  QObject::connect(&system_, &QFileSystemWatcher::fileChanged, [this] { gatherNotice(); });
  QObject::connect(&system_, &QFileSystemWatcher::directoryChanged, [this] {
    // A file renamed over the watched one shows as a change of the folder;
    // only its return under the watched name matters.
    if (!path_.isEmpty() && !system_.files().contains(path_) && QFileInfo::exists(path_)) {
      gatherNotice();
    }
  });
}

void QtFileWatcher::watch(const QString& path) {
  if (!system_.files().isEmpty()) system_.removePaths(system_.files());
  if (!system_.directories().isEmpty()) system_.removePaths(system_.directories());
  settle_.stop();
  path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  if (path_.isEmpty()) return;
  system_.addPath(QFileInfo(path_).absolutePath());
  rearm();
}

void QtFileWatcher::rearm() {
  if (!system_.files().contains(path_) && QFileInfo::exists(path_)) system_.addPath(path_);
}

void QtFileWatcher::gatherNotice() {
  rearm();
  settle_.start();
}

}  // namespace quillet
