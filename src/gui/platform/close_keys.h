// A window that is an aid to the main window closes from the keyboard, as a
// dialog does with Esc, so the user need not reach for the mouse to put it
// away.
#pragma once

#include <QKeySequence>
#include <QList>

class QWidget;

namespace quillet {

// Closes `window` (CloseWindowOrPanel) when one of `keys` is pressed anywhere
// in it. The shortcuts are named "CloseShortcut"; a panel docked in the main
// window turns them off, as the key would reach past it to the whole window.
void CloseOnKeys(QWidget& window, const QList<QKeySequence>& keys = {QKeySequence(Qt::Key_Escape)});

// Closes `widget`'s panel when it is the content of one (a dock), else the
// widget itself: a tool's own Close button puts away whatever holds it.
void CloseWindowOrPanel(QWidget& widget);

}  // namespace quillet
