#pragma once
#include "Ui.h"
#include "roster/WardModel.h"

namespace tavrola {

// Writes the 21 required-staff boxes (AM Monday..Sunday, then PM, then N) for the picked
// week, reading Clinic.rtf from the data folder (a missing file adds nothing; one that
// cannot be read is reported through `ui` and adds nothing), then recalculates.
void SetupRequiredNurses(WardModel& model, Ui* ui = nullptr);

}  // namespace tavrola
