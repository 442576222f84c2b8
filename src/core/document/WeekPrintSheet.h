#pragma once
#include "document/WardModel.h"
#include "print/PrintSheet.h"
#include "weeks/WeekView.h"

namespace tavrola {

// The sheet of the week the document shows, with the captions the window puts up: the
// ward's names (or what the week file named), the holidays of the last week selection,
// and the working-time rules the week breaks.
PrintSheet PrintSheetFor(const WardModel& model, const WeekView& labels);

}  // namespace tavrola
