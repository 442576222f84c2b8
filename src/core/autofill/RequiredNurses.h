#pragma once
#include "roster/WardModel.h"

namespace tavrola {

// Writes the 21 required-staff boxes (AM Monday..Sunday, then PM, then N) from the ward's
// standing requirement, then lets the totals follow.
void SetupRequiredNurses(WardModel& model);

}  // namespace tavrola
