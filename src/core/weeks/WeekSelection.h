#pragma once
#include "roster/WardModel.h"
#include "weeks/WeekView.h"

#include <QString>

namespace tavrola {

inline const QString kStoredWeekQuestionStart =
    QStringLiteral("You already have an Tavrola file saved for this week, ");
inline const QString kStoredWeekQuestionEnd = QStringLiteral(" do you wish to Load ?");

// Colours the bank holidays of the picked week orange (AlertColour) on lines 1..staff and
// sets their labels; a week without one is left alone.
void MarkBankHolidays(RosterWeek& week, WeekView& labels, int staff);

// The week-of-month text for a week whose Monday is this day of the month: "Wk1" for
// the 1st, "Wk1/2" for the 4th (the week runs into the second), "Wk5" for the 29th.
QString WeekOfMonthText(int dayOfMonth);

// The Monday of the week holding `date`: weeks run Monday to Sunday, so a date the user
// picks or types (and today, at start) stands for its week's Monday.
QDate WeekCommencingMonday(const QDate& date);

}  // namespace tavrola
