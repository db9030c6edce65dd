// Every named window of the program opens inside the free area of its
// screen, no larger than it, and where it was last: the keeper watches the
// application's windows (an event filter on the application object, so
// windows made late, as the charts and help, are kept too), places each on
// its first show, and writes the places (window_places.h) to the
// configuration folder whenever a window is hidden and when it is
// destroyed. Dialogs of the toolkit (message boxes, file dialogs) have no
// component name and are left to the toolkit.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <string>

#include "core/settings/window_places.h"

class QWidget;

namespace quillet {

class WindowKeeper : public QObject {
  Q_OBJECT

 public:
  // `configDir` as from UserConfigDir(); an empty folder keeps nothing
  // between runs but still fits every window to the screen.
  explicit WindowKeeper(std::string configDir, QObject* parent = nullptr);
  ~WindowKeeper() override;

  const WindowPlaces& places() const { return places_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void place(QWidget& window);
  void remember(const QWidget& window);
  void save();

  std::string configDir_;
  WindowPlaces places_;
  WindowPlaces saved_;           // what the file holds
  QSet<const QWidget*> placed_;  // windows placed on their first show
};

}  // namespace quillet
