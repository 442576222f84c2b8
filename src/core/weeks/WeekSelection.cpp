#include "weeks/WeekSelection.h"

#include <QLocale>

#include <cmath>

namespace tavrola {

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

QString WeekWindowTitle(const QString& ward, const QDate& week)
{
    const QString name = ward.trimmed().isEmpty() ? QStringLiteral("Tavrola") : ward.trimmed();
    if (!week.isValid())
        return name + QStringLiteral("[*]");
    // Day, short month and year in English whatever the locale: the title is read, not parsed.
    return name + QStringLiteral(" \u2014 week of ") + QLocale(QLocale::English).toString(week, QStringLiteral("d MMM yyyy"))
           + QStringLiteral("[*]");
}

}  // namespace tavrola
