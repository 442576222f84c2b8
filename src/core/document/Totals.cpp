#include "document/Totals.h"

#include "document/WorkingTime.h"

#include "roster/WeekData.h"
#include "roster/WeekTotals.h"

namespace tavrola {

void TavrolaChange(WardModel& model)
{
    if (model.Week.RecalcSuspended)
        return;
    const WeekData week = model.Week.data();
    model.Week.applyTotals(ComputeWeekTotals(model.Settings, week));
    RecheckRules(model, week);
}

}  // namespace tavrola
