#pragma once
#include "Ui.h"
#include "roster/WardModel.h"
#include "weeks/HistoryScan.h"

namespace tavrola {

// Brings the window into line with the settings and rescans the stored weeks, in order:
//  - a required box whose requirement is 0 is coloured RequestColour;
//  - the trace of the analysed period, then both arrays zeroed (the names stay until a
//    scan makes a new list);
//  - with a valid analysis start date, the scan up to the week before the picked one,
//    under the busy cursor; when it completes, the chart's trace and the carried-over
//    hours (WriteCarriedOverHours);
//  - the totals recalculation, in every case.
// A damaged stored week is shown through `ui` (file and line); the names and counts
// added before it stay, Scanned stays false and no hours box is rewritten, and the
// totals still run so the grid's colours stay right. The window draws the bars of a
// complete scan (ComputeNonPrefChart) when it shows the week.
// The hospital and ward captions and the brush tool tips are the window's to set
// (BrushToolTip).
void UseStaffFileDataforInitialisation(WardModel& model, HistoryScan& scan, Ui& ui);

}  // namespace tavrola
