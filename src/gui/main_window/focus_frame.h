// The main window's read-only fields draw their frame in a style's quiet
// grey whether they have the focus or not, so a keyboard user would lose
// track of the figure they are on. These fields draw a frame of their own in
// the highlight colour while they hold the focus.
#pragma once

class QWidget;

namespace quillet {

// Call at the end of a paintEvent; does nothing without the focus.
void PaintFocusFrame(QWidget& widget);

}  // namespace quillet
