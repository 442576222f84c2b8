#pragma once
#include "roster/Colours.h"
#include "settings/WardSettings.h"

#include <QString>

namespace tavrola {

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

}  // namespace tavrola
