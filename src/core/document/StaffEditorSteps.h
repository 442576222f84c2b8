#pragma once
#include "Ui.h"
#include "document/WardModel.h"
#include "roster/WeekData.h"
#include "weeks/WeekView.h"

namespace tavrola {

// The main window's part around the ward and staff editor.

// Before the editor opens: the reload after its OK puts the new file's staff and
// preferred days over the grid, so leaving the week asks first (Save / Discard / Cancel),
// and a save happens under the settings the week was made with. Returns false on Cancel
// or when the save was cancelled or failed: the editor then does not open.
bool SaveBeforeStaffReload(WardModel& model, Ui& ui);

// After the editor wrote Staff.txt: the week no longer counts as loaded from its file;
// Staff.txt is read again (the grid's staff lines, preferred days and standard shifts
// agree with it, lines past its staff are emptied); the required boxes show the new
// standing requirements; and the week is refreshed as if it had just been chosen. When a
// week loaded from its file is left other than the file has it (names, hours set, cell
// colours, required boxes), it is marked changed. A Staff.txt that does not read is
// reported and changes nothing. Returns whether the reload took place.
bool ReloadAfterStaffEditor(WardModel& model, WeekView& labels, Ui& ui);

// After the staff list was laid onto the grid: lines that held day texts without a name
// (clinic notes) and now hold a person give those texts up; they move, in order, to the
// first empty lines below the staff (`before` is the grid as it was).
void MoveNotesBelowStaff(RosterWeek& w, const WeekData& before);

}  // namespace tavrola
