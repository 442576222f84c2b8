#include "print/PrintSheet.h"

#include <QStringList>

namespace tavrola {

int LinesUsed(const WeekData& week)
{
    for (int line = kLines; line >= 1; --line) {
        if (!week.Names[line].isEmpty() || !week.Notes[line].isEmpty())
            return line;
        for (int day = 1; day <= kDays; ++day)
            if (!week.Cells[day][line].isEmpty())
                return line;
    }
    return 0;
}

int LinesWithNames(const WeekData& week)
{
    for (int line = kLines; line >= 1; --line)
        if (!week.Names[line].isEmpty())
            return line + 1;
    return 0;
}

QStringList ShortShiftItems(const PrintSheet& sheet)
{
    QStringList items;
    for (const PrintShortShift& s : sheet.ShortShifts) {
        if (s.day < 1 || s.day > kDays || s.shift < 1 || s.shift > kShifts)
            continue;
        const QString name = sheet.DutyNames[s.shift].trimmed();
        if (!items.isEmpty())
            items.last() += u',';
        items += QStringLiteral("%1 %2 %3")
                     .arg(QString(DayName(s.day)).left(3), name.isEmpty() ? QString(ShiftCode(s.shift)) : name)
                     .arg(s.missing);
    }
    return items;
}

}  // namespace tavrola
