#pragma once
#include <QRect>

class QWidget;

namespace tavrola {

// The geometry a window of `frame` size (its frame included) gets inside `available`:
// no larger than the available area, and moved inside it, near `wanted` where it fits.
QRect FitInside(const QRect& wanted, const QRect& available);

// Sizes and places a top-level window inside `available` (the screen's available
// geometry by default), so its buttons are on the screen.
void FitToScreen(QWidget* window, const QRect& available = QRect());

}  // namespace tavrola
