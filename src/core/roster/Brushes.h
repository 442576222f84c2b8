#pragma once
#include "settings/WardSettings.h"

#include <QString>

namespace tavrola {

// The duty brushes of the toolbar, in toolbar order. None is the plain arrow.
enum class Brush { None, AM, PM, N, Holiday, Sick, Leave, Training };
inline constexpr int kBrushCount = 7;  // AM..Training

// The characters before the first occurrence of code, then replacement, then the
// characters after the code, with blanks trimmed at both ends.
QString SwapOutStr(const QString& text, const QString& code, const QString& replacement);

// What a click with `brush` makes of a cell holding `text` on a line whose standard
// shift is `standardShift`. Each brush toggles or cycles its codes; None changes nothing.
QString BrushedText(Brush brush, const QString& text, const QString& standardShift,
                    const WardSettings& settings);

}  // namespace tavrola
