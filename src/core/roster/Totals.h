#pragma once
#include "Ui.h"
#include "roster/WardModel.h"

namespace tavrola {

// Recomputes everything derived from the day cells: hours per line, non-preferred working,
// staff per shift and day; writes the hours-worked boxes and colours the hours-set and
// required-staff boxes. Does nothing while RecalcSuspended is set. A required-staff box
// that is not a whole number is reported through `ui` (when given); boxes after it keep
// their colours.
void TavrolaChange(WardModel& model, Ui* ui);

// Makes every day-cell change (and every unit that rewrote the grid) run TavrolaChange.
inline void ConnectTotals(WardModel& model, Ui* ui)
{
    model.Week.Recalculate = [&model, ui] { TavrolaChange(model, ui); };
}

// Strict whole-number reading of a box, as the platform converts it (surrounding blanks
// allowed). Throws ConversionError.
qint32 WholeNumberFromText(const QString& text);

}  // namespace tavrola
