#include "weeks/WeekSelection.h"

#include "weeks/BankHolidays.h"

#include <cmath>

namespace tavrola {

void MarkBankHolidays(RosterWeek& w, WeekView& labels, int staff)
{
    const BankHolidayWeek holidays = FindBankHolidayWeek(w.PickerDate);
    for (int i = 0; i < holidays.count; ++i) {
        const BankHolidayMark& mark = holidays.marks[i];
        for (int line = 1; line <= staff; ++line)
            w.DayCells[mark.day][line].setColour(AlertColour);
        labels.HolidayLabels[mark.day] = QString::fromLatin1(mark.label);
    }
}

QDate WeekCommencingMonday(const QDate& date)
{
    return date.isValid() ? date.addDays(1 - date.dayOfWeek()) : date;
}

QString WeekOfMonthText(int dayOfMonth)
{
    const long double seventh = 0.142857142857142857L;
    const int a = int(std::trunc(dayOfMonth * seventh - 0.142L)) + 1;
    const int b = int(std::trunc((dayOfMonth + 4) * seventh - 0.142L)) + 1;
    if (a == b)
        return QStringLiteral("Wk%1").arg(a);
    return QStringLiteral("Wk%1/%2").arg(a).arg(b);
}

}  // namespace tavrola
