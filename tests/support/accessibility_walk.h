// The accessibility walk of the window tests: asks the accessibility layer
// (QAccessible::queryAccessibleInterface, what a screen reader is given) for
// every widget of a window and lists the controls that take the focus yet
// have no name to be read out. A control counts when its interface says it
// is focusable; popups and other windows parented to it are walked on their
// own.
#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace quillet::test {

// "ClassName 'objectName'" of each focusable control of `window` (a window,
// or a panel within one) without an accessible name; empty when every one
// has a name.
inline QStringList UnnamedFocusableControls(QWidget& window) {
  QStringList unnamed;
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    if (widget->window() != window.window()) continue;
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    // A control put away cannot take the focus (the toolkit keeps spare tab
    // bars for the panels).
    if (widget != &window && !widget->isVisibleTo(&window)) continue;
    if (control == nullptr || !control->state().focusable) continue;
    if (!control->text(QAccessible::Name).trimmed().isEmpty()) continue;
    unnamed << QStringLiteral("%1 '%2'").arg(QString::fromLatin1(widget->metaObject()->className()),
                                             widget->objectName());
  }
  return unnamed;
}

}  // namespace quillet::test
