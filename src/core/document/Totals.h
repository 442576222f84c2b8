#pragma once
#include "document/WardModel.h"

namespace tavrola {

// Recomputes everything derived from the day cells (ComputeWeekTotals over the week's
// data) and puts it beside the week (RosterWeek::applyTotals): hours per line,
// non-preferred working, staff per shift and day, the hours-worked boxes and the colours
// of the hours-set and required-staff boxes. Boxes whose number does not convert are
// marked with the reason; a required box that is not a whole number keeps its colour.
// The working-time rules are checked again on the same data. Does nothing while
// RecalcSuspended is set. No message is shown: the window reports a marked box when the
// user leaves it.
void TavrolaChange(WardModel& model);

// Makes every change the totals read (and every unit that rewrote the grid) run
// TavrolaChange.
inline void ConnectTotals(WardModel& model)
{
    model.Week.Recalculate = [&model] { TavrolaChange(model); };
}

}  // namespace tavrola
