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
  if (auto* panel = qobject_cast<QDockWidget*>(widget.parentWidget())) {
    panel->close();
  } else {
    widget.close();
  }
}

}  // namespace quillet
