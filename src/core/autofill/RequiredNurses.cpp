#include "autofill/RequiredNurses.h"

#include "util/TextUtil.h"

namespace tavrola {

void SetupRequiredNurses(WardModel& model)
{
    for (int shift = 1; shift <= kShifts; ++shift)
        for (int day = 1; day <= kDays; ++day)
            model.Week.ShiftRequiredEdits[day][shift].setText(
                IntToText(model.Settings.StaffRequired[day][shift]));
    if (model.Week.Recalculate)
        model.Week.Recalculate();
}

}  // namespace tavrola
