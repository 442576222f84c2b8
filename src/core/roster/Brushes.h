#pragma once
#include "roster/Field.h"
#include "roster/WardModel.h"

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

// A left click on a day cell: applies the brush (one undoable step) and stops a running
// automatic fill.
void DutyClick(WardModel& model, Field& cell, Brush brush, int cellTop);

// A right click on a day cell: toggles the requested-day colour, one undoable step. The
// colour is stored with the week, so the week counts as changed.
void DutyMouseDown(WardModel& model, Field& cell);

}  // namespace tavrola
