#pragma once
#include "roster/Colours.h"
#include "settings/WardSettings.h"

#include <QString>

namespace tavrola {

class RosterWeek;

// One week as plain, copyable data: what the grid shows and the week file stores, with
// the day cells' hints (each line's standard shift). Tables follow the grid: 1-based,
// index 0 unused and empty.
struct WeekData {
    QString Cells[kDays + 1][kLines + 1];
    Colour CellColours[kDays + 1][kLines + 1];
    QString Hints[kLines + 1];        // the line's standard shift, the day cells' hint
    QString Names[kLines + 1];
    QString Grades[kLines + 1];
    QString HoursSet[kLines + 1];
    QString HoursWorked[kLines + 1];
    QString Notes[kLines + 1];
    QString Required[kDays + 1][kShifts + 1];
    qint32 NonPrefCount[kLines + 1] = {};

    WeekData();  // white cells, required boxes "0", as a new grid
    bool operator==(const WeekData&) const = default;
};

// The grid's fields as plain data, and back. Loading writes every field (each write
// reports to the grid's observers) with recalculation held off; it leaves the totals
// and the week flags to the caller.
WeekData StoreWeekData(const RosterWeek& week);
void LoadWeekData(RosterWeek& week, const WeekData& data);

}  // namespace tavrola
