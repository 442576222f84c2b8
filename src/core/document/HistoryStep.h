#pragma once
#include "Ui.h"
#include "document/WardModel.h"
#include "weeks/HistoryScan.h"

namespace tavrola {

// Brings the window into line with the settings and rescans the stored weeks, in order:
//  - a required box whose requirement is 0 is coloured RequestColour;
//  - the trace of the analysed period, then both arrays zeroed (the names stay until a
//    scan makes a new list);
//  - with a valid analysis start date, the scan up to the week before the picked one,
//    under the busy cursor, then the chart's trace and the carried-over hours
//    (WriteCarriedOverHours);
//  - the totals recalculation, in every case.
// A damaged stored week is left out of the scan and shown through `ui` (file and line)
// the first time a scan meets it in this run of the program; the other weeks still count.
// The window draws the bars of the scan (ComputeNonPrefChart) when it shows the week.
// The hospital and ward captions and the brush tool tips are the window's to set
// (BrushToolTip).
void UseStaffFileDataforInitialisation(WardModel& model, HistoryScan& scan, Ui& ui);

// Writes each listed person's carried-over hours into their hours-set box after the
// contracted hours ("37.5+2.5", "37.5 -3", plain "37.5" for none). Every grid line whose
// name the scan holds is written; a box without a contracted number stays as it is.
void WriteCarriedOverHours(RosterWeek& week, const HistoryScan& scan);

}  // namespace tavrola
