// Tells the window when one file may have new content. The window reacts by
// reading the file again, so a notice too many costs little; a notice missed
// is what the implementations guard against: editors that save by writing a
// new file and renaming it over the old one replace the file the system was
// watching. QtFileWatcher is the real one; tests script theirs.
#pragma once

#include <QString>
#include <functional>

namespace quillet {

class FileWatcher {
 public:
  virtual ~FileWatcher() = default;
  // Watches `path` instead of whatever was watched; an empty path stops.
  virtual void watch(const QString& path) = 0;
  virtual QString watched() const = 0;

  // Called on the event loop after the watched file changed, was replaced
  // or reappeared.
  std::function<void()> changed;
};

}  // namespace quillet
