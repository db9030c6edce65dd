// The one font of every window: an 8-point sans-serif installed with the
// program's dependencies (Liberation Sans), so captions fit the fixed window
// geometry the same way on every desktop.
#pragma once

#include <QFont>

namespace quillet {

QFont WindowFont();
QFont BoldWindowFont();

}  // namespace quillet
