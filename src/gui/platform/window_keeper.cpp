#include "gui/platform/window_keeper.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <exception>

namespace quillet {
namespace {

WindowRect ToPlace(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect ToRect(const WindowRect& place) {
  return {place.x, place.y, place.width, place.height};
}

// The windows kept: the program's own, which carry a component name.
QWidget* KeptWindow(QObject* object) {
  if (!object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (!widget->isWindow() || widget->objectName().isEmpty()) return nullptr;
  const Qt::WindowType type = widget->windowType();
  if (type != Qt::Window && type != Qt::Dialog) return nullptr;
  return StorableWindowName(widget->objectName().toStdString()) ? widget : nullptr;
}

}  // namespace

WindowKeeper::WindowKeeper(std::string configDir, QObject* parent)
    : QObject(parent), configDir_(std::move(configDir)) {
  places_ = LoadWindowPlaces(configDir_);
  saved_ = places_;
  QCoreApplication::instance()->installEventFilter(this);
}

WindowKeeper::~WindowKeeper() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
  save();
}

bool WindowKeeper::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Move &&
      type != QEvent::Resize) {
    return false;
  }
  QWidget* window = KeptWindow(watched);
  if (!window) return false;
  if (type == QEvent::Show) {
    if (!placed_.contains(window)) {
      placed_.insert(window);
      // A window made again at the address of a destroyed one is new.
      connect(window, &QObject::destroyed, this, [this, window] { placed_.remove(window); });
      place(*window);
    }
  } else if (type == QEvent::Hide) {
    save();
  } else if (window->isVisible() && placed_.contains(window)) {
    remember(*window);
  }
  return false;
}

void WindowKeeper::place(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect free = screen->availableGeometry();
  // The frame is known once a window has been shown; until then the
  // window's own rectangle is all there is to fit.
  const QMargins frame(window.geometry().left() - window.frameGeometry().left(),
                       window.geometry().top() - window.frameGeometry().top(),
                       window.frameGeometry().right() - window.geometry().right(),
                       window.frameGeometry().bottom() - window.geometry().bottom());
  const QRect area = free.marginsRemoved(frame);
  QRect wanted = window.geometry();
  const auto kept = places_.find(window.objectName().toStdString());
  if (kept != places_.end()) {
    wanted = ToRect(kept->second);
  } else if (!window.testAttribute(Qt::WA_Moved)) {
    // Never placed by its own code: centred, as the program's windows open.
    wanted.moveCenter(area.center());
  }
  // A window that cannot be made as small as the area still starts at its
  // top left corner, so its title bar and first controls can be reached.
  const QSize smallest = window.minimumSize();
  WindowRect fit = FitInside(ToPlace(wanted), ToPlace(area));
  fit.width = std::max(fit.width, smallest.width());
  fit.height = std::max(fit.height, smallest.height());
  window.setGeometry(ToRect(fit));
  // A fixed or maximum size keeps the window smaller than asked.
  if (window.geometry() != ToRect(fit)) {
    window.move(ToRect(FitInside(ToPlace(window.geometry()), ToPlace(area))).topLeft());
  }
  // Kept even when it is never moved: where it opened is where it was.
  remember(window);
}

void WindowKeeper::remember(const QWidget& window) {
  places_[window.objectName().toStdString()] = ToPlace(window.geometry());
}

void WindowKeeper::save() {
  if (places_ == saved_) return;
  try {
    SaveWindowPlaces(configDir_, places_);
    saved_ = places_;
  } catch (const std::exception&) {
    // A convenience: a folder that cannot be written costs only the places.
  }
}

}  // namespace quillet
