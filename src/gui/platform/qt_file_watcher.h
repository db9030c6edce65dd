// The file watcher over QFileSystemWatcher. The system drops a watched path
// once its file is removed or renamed over, so the folder is watched too:
// when the file is back under its name it is watched again and reported.
// Notices are gathered for a moment, so one save that writes in several steps
// is reported once.
#pragma once

#include <QFileSystemWatcher>
#include <QTimer>

#include "gui/platform/file_watcher.h"

namespace quillet {

class QtFileWatcher final : public FileWatcher {
 public:
  QtFileWatcher();

  void watch(const QString& path) override;
  QString watched() const override { return path_; }

 private:
  void rearm();
  void gatherNotice();

  QFileSystemWatcher system_;
  QTimer settle_;
  QString path_;
};

}  // namespace quillet
