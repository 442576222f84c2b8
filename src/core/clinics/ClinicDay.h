#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

namespace tavrola {

// Week of the month of a date, 1..5 (days 1-7 are week 1, 8-14 week 2, ...).
int ClinicWeekNumber(const QDate& date);

// The day pop-up's lines for `day` (1 = Monday .. 7 = Sunday) in week `weekNumber` of
// the month, from the plain lines of Clinic.rtf: the day filter, the week text up to
// "PAC", the AM lines then the PM lines.
QStringList ClinicDayLines(const QStringList& clinicLines, int day, int weekNumber);

// A day's 25 cells after a click on its pop-up: the spare lines from `linesWithNames`
// on are emptied and the notes of `dayLines` written in. Nothing goes past line 25.
std::array<QString, 25> ClinicNotesColumn(const std::array<QString, 25>& column,
                                          int linesWithNames, const QStringList& dayLines);

}  // namespace tavrola
