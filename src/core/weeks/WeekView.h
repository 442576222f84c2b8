#pragma once
#include "settings/WardSettings.h"
#include "weeks/HistoryScan.h"

#include <QDate>
#include <QString>

namespace tavrola {

// What the week selection and the week file put on the window besides the grid: the
// decoded week, the week-of-month text of WkLabel, the holiday labels above the day
// columns, the hospital and ward captions, and the history of stored weeks behind the
// non-preference bars. The window owns one beside its model, passes it to the week
// operations and shows it after each of them.
struct WeekView {
    quint16 WeekYear = 0, WeekMonth = 0, WeekDay = 0;
    QString WeekOfMonthLabel;               // WkLabel
    QString HolidayLabels[kDays + 1];       // LabelMondayName .. LabelSundayName; [0] unused
    QString HospitalCaption, WardCaption;   // HospitalNameLabel, WardNameLabel

    // The picker date the last week selection ran for: the week the grid shows. When
    // the picker already shows another date, unsaved changes are saved under this one.
    QDate ShownWeek;

    // The last scan of stored weeks (non-preferred work, carried-over hours); the window
    // draws the bars of a complete one.
    HistoryScan History;
};

}  // namespace tavrola
