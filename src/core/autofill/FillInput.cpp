#include "autofill/FillInput.h"

namespace tavrola {

FillInput MakeFillInput(const WeekData& week, const QString (&skillCodes)[kLines + 1],
                        const QString (&requests)[kDays + 1][kLines + 1])
{
    FillInput in;
    for (int line = 1; line <= kLines; ++line) {
        for (int day = 1; day <= kDays; ++day) {
            in.Requests[day][line] = requests[day][line];
            in.RequestDay[day][line] = week.CellColours[day][line] == RequestColour;
        }
        in.StandardShift[line] = week.Hints[line];
        in.HoursSet[line] = week.HoursSet[line];
        in.SkillCodes[line] = skillCodes[line];
        if (!week.Names[line].isEmpty())
            in.NumberOfStaff = line;
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            in.Required[day][shift] = week.Required[day][shift];
    return in;
}

}  // namespace tavrola
