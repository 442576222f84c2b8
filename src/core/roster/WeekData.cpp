#include "roster/WeekData.h"

#include "roster/RosterWeek.h"

namespace tavrola {

WeekData::WeekData()
{
    for (auto& day : CellColours)
        for (Colour& c : day)
            c = White;
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            Required[day][shift] = QStringLiteral("0");
}

WeekData StoreWeekData(const RosterWeek& w)
{
    WeekData d;
    for (int line = 1; line <= kLines; ++line) {
        for (int day = 1; day <= kDays; ++day) {
            d.Cells[day][line] = w.DayCells[day][line].text();
            d.CellColours[day][line] = w.DayCells[day][line].colour();
        }
        d.Hints[line] = w.DayCells[1][line].hint();
        d.Names[line] = w.NameEdits[line].text();
        d.Grades[line] = w.GradeEdits[line].text();
        d.HoursSet[line] = w.HoursSetEdits[line].text();
        d.HoursWorked[line] = w.HoursWorkingEdits[line].text();
        d.Notes[line] = w.LecturesEdits[line].text();
        d.NonPrefCount[line] = w.WeekNonPrefCount[line];
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            d.Required[day][shift] = w.ShiftRequiredEdits[day][shift].text();
    return d;
}

void LoadWeekData(RosterWeek& w, const WeekData& d)
{
    const RecalcBatch batch(w);
    for (int line = 1; line <= kLines; ++line) {
        for (int day = 1; day <= kDays; ++day) {
            Field& cell = w.DayCells[day][line];
            cell.setText(d.Cells[day][line]);
            cell.setColour(d.CellColours[day][line]);
            cell.setHint(d.Hints[line]);
        }
        w.NameEdits[line].setText(d.Names[line]);
        w.GradeEdits[line].setText(d.Grades[line]);
        w.HoursSetEdits[line].setText(d.HoursSet[line]);
        w.HoursWorkingEdits[line].setText(d.HoursWorked[line]);
        w.LecturesEdits[line].setText(d.Notes[line]);
        w.WeekNonPrefCount[line] = d.NonPrefCount[line];
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            w.ShiftRequiredEdits[day][shift].setText(d.Required[day][shift]);
}

}  // namespace tavrola
