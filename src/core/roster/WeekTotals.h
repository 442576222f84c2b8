#pragma once
#include "roster/Colours.h"
#include "roster/ShiftCover.h"
#include "roster/WeekData.h"
#include "settings/WardSettings.h"

#include <QString>
#include <vector>

namespace tavrola {

// A box whose number does not convert: a required box that is not a whole number, or a
// day cell with hours after an absence code that do not read ("HOL 7..5").
struct BoxError {
    bool required = false;  // a required box (day, shift), else a day cell (day, line)
    int day = 0, line = 0, shift = 0;
    QString message;        // names the box: "Monday PM required: 'x' is not a valid integer value"
};

// Everything derived from a week's cells: hours per line, non-preferred working, staff
// per shift and day against the required boxes, the hours-worked texts, and the colours of the hours-set and
// required boxes. Tables are 1-based like the grid.
struct WeekTotals {
    float WeekHours[kLines + 1] = {};
    qint32 WeekNonPrefCount[kLines + 1] = {};
    qint32 ShiftCounts[kDays + 1][kShifts + 1] = {};
    QString HoursWorked[kLines + 1];            // empty for no hours, else 4 significant digits
    Colour HoursSetColours[kLines + 1] = {};
    Colour RequiredColours[kDays + 1][kShifts + 1] = {};
    bool RequiredRead[kDays + 1][kShifts + 1] = {};  // false: not a whole number, colour kept
    qint32 Required[kDays + 1][kShifts + 1] = {};    // the boxes' numbers, where they read
    Cover Covers[kDays + 1][kShifts + 1] = {};       // staff on each shift against its box
    std::vector<BoxError> Errors;
};

// The totals of one week under the given settings. Pure: the same inputs give the same
// totals, whoever asks (the grid, the fill, the prints, the command line).
WeekTotals ComputeWeekTotals(const WardSettings& settings, const WeekData& week);

// The name of a required box in messages: "Monday PM required".
QString RequiredBoxName(int day, int shift);

}  // namespace tavrola
