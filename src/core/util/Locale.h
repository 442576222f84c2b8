#pragma once
#include <QDate>
#include <QString>

namespace tavrola {

// Makes en_GB the default locale when the system's is C/POSIX, so dates read and print
// day/month/year as the ward expects. Call once at program start.
void UseDefaultLocale();

// Parses a date in the locale's short format, then dd/MM/yyyy, then ISO yyyy-MM-dd.
// Two-digit years land in 1950..2049. Returns an invalid date when none fits.
QDate ParseDateText(const QString& text);

// The locale's long date format ("Monday, 22 December 2008" in en_GB).
QString LongDateText(const QDate& date);

}  // namespace tavrola
