#pragma once
#include "Ui.h"
#include "autofill/RequiredNurses.h"
#include "document/WardModel.h"

#include <vector>

namespace tavrola {

// Writes the 21 required-staff boxes (AM Monday..Sunday, then PM, then N) for the picked
// week, reading Clinic.rtf from the data folder (a missing file adds nothing; one that
// cannot be read is reported through `ui` and adds nothing), then recalculates.
void SetupRequiredNurses(WardModel& model, Ui* ui = nullptr);

// Writes the ward's standing requirements (StaffRequired) into the 21 required-staff
// boxes, without clinics: what the staff editor shows after saving new settings.
void ApplyStandingRequirements(RosterWeek& week, const WardSettings& settings);

// The edits that put `required` into the 21 required-staff boxes, for a step that goes
// through the undo history.
std::vector<BoxEdit> RequirementsEdits(const Requirements& required);

// The requirements of the week shown set up again (after the clinic editor's OK) as one
// undo step "Set up requirements"; a Clinic.rtf that cannot be read is reported through
// `ui` and adds nothing. Returns whether a box changed.
bool SetUpRequirementsStep(WardModel& model, Ui& ui);

}  // namespace tavrola
