#pragma once
#include <QDate>

#include <vector>

namespace tavrola {

// One bank holiday inside a week: the day (1..7 = Monday..Sunday) and its label.
struct BankHolidayMark {
    int day = 0;
    const char* label = nullptr;
};

// The bank holidays of one week, in day order: marks[0..count-1].
struct BankHolidayWeek {
    BankHolidayMark marks[7];
    int count = 0;
};

// One bank holiday of a year.
struct BankHoliday {
    QDate date;
    const char* label = nullptr;
};

// The bank holidays of the week commencing on this Monday. Days in 2007..2011 come from
// the ward's fixed calendar, all other days from the England and Wales rules
// (BankHolidaysOfYear), so a week across the new year has marks from both years. A date
// that is not a Monday has none: the grid's columns run Monday to Sunday.
BankHolidayWeek FindBankHolidayWeek(const QDate& weekCommencing);

// The England and Wales bank holidays of a year in date order, worked out from the rules
// and the one-off changes since 2012. Weekend holidays are listed as well as their
// substitute Mondays and Tuesdays ("BH", "New Year BH"), and Easter Day with Good Friday
// and Easter Monday.
std::vector<BankHoliday> BankHolidaysOfYear(int year);

// Easter Sunday of a year of the Gregorian calendar.
QDate EasterSunday(int year);

// A week of the fixed calendar for 2007..2011, keyed by its Monday.
struct BankHolidayTableRow {
    int year, month, dayOfMonth;
    BankHolidayMark marks[3];  // unused entries have day 0
};

// All rows of the fixed calendar, for checks over the whole table.
const BankHolidayTableRow* BankHolidayTable(int* count);

}  // namespace tavrola
