// Windows open centred on the screen they start on, placed once when they
// are created; afterwards the user moves them where they like.
#pragma once

class QWidget;

namespace quillet {

// Moves `window` to the centre of its screen (CentredOffset's rounding).
void CentreOnScreen(QWidget& window);

}  // namespace quillet
