#pragma once
#include "document/WardModel.h"
#include "roster/Brushes.h"

namespace tavrola {

// A left click on a day cell: applies the brush (one undoable step) and stops a running
// automatic fill.
void DutyClick(WardModel& model, BoxRef cell, Brush brush, int cellTop);

// A right click on a day cell: toggles the requested-day colour, one undoable step. The
// colour is stored with the week, so the week counts as changed.
void DutyMouseDown(WardModel& model, BoxRef cell);

}  // namespace tavrola
