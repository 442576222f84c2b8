#pragma once
#include "roster/WeekData.h"

#include <QString>

namespace tavrola {

// What a fill reads from the week, as plain data taken when it starts: the requests
// every candidate starts from, the lines' standard shifts, request colours, contracts,
// skill codes and the 21 requirement texts. The search never looks at the grid.
struct FillInput {
    QString Requests[kDays + 1][kLines + 1];
    bool RequestDay[kDays + 1][kLines + 1] = {};  // the cell is coloured RequestColour
    QString StandardShift[kLines + 1];
    QString HoursSet[kLines + 1];
    QString SkillCodes[kLines + 1];
    QString Required[kDays + 1][kShifts + 1];
    int NumberOfStaff = 0;
    // No shortened shift shorter than this many hours is placed (the ward's
    // ShortestShiftHours).
    float MinShortShift = 4;
    // No line is filled beyond this many hours in the week (the weekly-hours limit); 0:
    // no cap beyond the contract.
    float HoursCap = 0;
};

// The fill's input from a week's data, the lines' skill codes and the saved requests.
FillInput MakeFillInput(const WeekData& week, const QString (&skillCodes)[kLines + 1],
                        const QString (&requests)[kDays + 1][kLines + 1]);

}  // namespace tavrola
