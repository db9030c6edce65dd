// Windows open centred on the screen they start on, placed once when they
// are created; afterwards the user moves them where they like.
#pragma once

class QWidget;

namespace quillet {

// Left or top of a window of `windowSize` centred in `screenSize`, rounded to
// the nearest pixel, halves to the even neighbour.
int CentredOffset(int screenSize, int windowSize);
void CentreOnScreen(QWidget& window);

}  // namespace quillet
