#include "document/Totals.h"

#include "document/WorkingTime.h"

#include "roster/WeekData.h"
#include "roster/WeekTotals.h"

namespace tavrola {

void ApplyWeekTotals(RosterWeek& w, const WeekTotals& t)
{
    for (int line = 0; line <= kLines; ++line) {
        w.WeekHours[line] = t.WeekHours[line];
        w.setNonPrefCount(line, t.WeekNonPrefCount[line]);
    }
    for (int day = 0; day <= kDays; ++day)
        for (int shift = 0; shift <= kShifts; ++shift) {
            w.ShiftCounts[day][shift] = t.ShiftCounts[day][shift];
            w.ShiftRequired[day][shift] = t.Required[day][shift];
            w.ShiftCovers[day][shift] = t.Covers[day][shift];
        }
    for (int line = 1; line <= kLines; ++line) {
        w.setText(BoxRef::hoursWorking(line), t.HoursWorked[line]);
        w.setColour(BoxRef::hoursSet(line), t.HoursSetColours[line]);
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift) {
            if (t.RequiredRead[day][shift])
                w.setColour(BoxRef::required(day, shift), t.RequiredColours[day][shift]);
            const Cover cover = t.Covers[day][shift];
            w.setText(BoxRef::count(day, shift), CoverText(cover, t.ShiftCounts[day][shift]));
            w.setColour(BoxRef::count(day, shift), CoverColour(cover));
        }

    // The marks: every box whose number does not convert, and no other.
    const QString* errors[kDays + 1][kLines + 1] = {};
    const QString* requiredErrors[kDays + 1][kShifts + 1] = {};
    for (const BoxError& e : t.Errors) {
        if (e.required)
            requiredErrors[e.day][e.shift] = &e.message;
        else
            errors[e.day][e.line] = &e.message;
    }
    static const QString none;
    for (int day = 1; day <= kDays; ++day) {
        for (int line = 1; line <= kLines; ++line)
            w.setError(BoxRef::cell(day, line), errors[day][line] ? *errors[day][line] : none);
        for (int shift = 1; shift <= kShifts; ++shift)
            w.setError(BoxRef::required(day, shift), requiredErrors[day][shift] ? *requiredErrors[day][shift]
                                                                                 : none);
    }
}

void TavrolaChange(WardModel& model)
{
    if (model.Week.RecalcSuspended)
        return;
    const WeekData week = model.Week.data();
    ApplyWeekTotals(model.Week, ComputeWeekTotals(model.Settings, week));
    RecheckRules(model, week);
}

}  // namespace tavrola
