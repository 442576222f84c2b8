#pragma once
#include <QDate>

#include <QString>

namespace tavrola {

inline const QString kStoredWeekQuestionStart =
    QStringLiteral("You already have a Tavrola file saved for this week, ");
inline const QString kStoredWeekQuestionEnd = QStringLiteral(" do you wish to Load ?");

// The week-of-month text for a week whose Monday is this day of the month: "Wk1" for
// the 1st, "Wk1/2" for the 4th (the week runs into the second), "Wk5" for the 29th.
QString WeekOfMonthText(int dayOfMonth);

// The Monday of the week holding `date`: weeks run Monday to Sunday, so a date the user
// picks or types (and today, at start) stands for its week's Monday.
QDate WeekCommencingMonday(const QDate& date);

// The main window's title: the ward and the week, "Cedar Ward 7 — week of 30 Nov 2026",
// with the changed mark's place "[*]" after it.
QString WeekWindowTitle(const QString& ward, const QDate& week);

}  // namespace tavrola
