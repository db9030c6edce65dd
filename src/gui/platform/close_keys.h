// A window that is an aid to the main window closes from the keyboard, as a
// dialog does with Esc, so the user need not reach for the mouse to put it
// away.
#pragma once

#include <QKeySequence>
#include <QList>

class QWidget;

namespace quillet {

// Closes `window` when one of `keys` is pressed anywhere in it.
void CloseOnKeys(QWidget& window, const QList<QKeySequence>& keys = {QKeySequence(Qt::Key_Escape)});

}  // namespace quillet
