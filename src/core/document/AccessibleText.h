#pragma once
#include "document/WardModel.h"

#include <QString>

namespace tavrola {

// What a screen reader says of a box of the grid. The name says where the box is:
// "Monday, Margaret Okafor" for a day cell, "Margaret Okafor, contracted hours",
// "Monday, early shift, staff required". The description says what its text means and
// every status the grid shows on it by colour and mark: "NIGHT, 10 hours, night shift,
// preferred day"; "3 on the early shift, 5 needed: 2 short".
QString AccessibleName(const RosterWeek& week, BoxRef box);
QString AccessibleDescription(const WardModel& model, BoxRef box);

}  // namespace tavrola
