#pragma once
#include "settings/WardSettings.h"

#include <QString>

namespace tavrola {

// A shift rewritten as a time range that ends earlier, so that it is worth `remaining`
// hours: the shift names stand for their shift times ("7 to 3pm"), digits after an
// absence code are ignored, and the end moves back by the hours cut (and by the break
// too when what is left is six hours or less). "EARLY" worth 7.5 with 5 hours left, a
// half-hour break and early times 7 to 3pm gives "7 - 12". Empty when no range reads as
// `remaining` hours (an end that would wrap round to before the start).
QString ShortenShift(const QString& code, double remaining, const WardSettings& settings);

}  // namespace tavrola
