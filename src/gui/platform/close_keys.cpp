#include "gui/platform/close_keys.h"

#include <QDockWidget>
#include <QShortcut>
#include <QWidget>

namespace quillet {

void CloseOnKeys(QWidget& window, const QList<QKeySequence>& keys) {
  for (const QKeySequence& key : keys) {
    auto* shortcut = new QShortcut(key, &window);
    shortcut->setObjectName(QStringLiteral("CloseShortcut"));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     [&window] { CloseWindowOrPanel(window); });
  }
}

void CloseWindowOrPanel(QWidget& widget) {
  // The panel's content may sit in a scroller within the dock.
  for (QWidget* up = widget.parentWidget(); up && !widget.isWindow(); up = up->parentWidget()) {
    if (auto* panel = qobject_cast<QDockWidget*>(up)) {
      panel->close();
      return;
    }
    if (up->isWindow()) break;
  }
  widget.close();
}

}  // namespace quillet
