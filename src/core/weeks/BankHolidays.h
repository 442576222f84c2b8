#pragma once
#include <QDate>

namespace tavrola {

// One bank holiday inside a week: the day (1..7 = Monday..Sunday) and its label.
struct BankHolidayMark {
    int day = 0;
    const char* label = nullptr;
};

// A week of the fixed bank-holiday calendar, keyed by its exact Monday. Holidays are
// not computed: weeks outside the table have none.
struct BankHolidayWeek {
    int year, month, dayOfMonth;
    BankHolidayMark marks[3];  // unused entries have day 0
};

// The calendar's row for this week-commencing date, or null. Only the exact Monday of a
// listed week matches.
const BankHolidayWeek* FindBankHolidayWeek(const QDate& weekCommencing);

// All rows, for checks over the whole table.
const BankHolidayWeek* BankHolidayTable(int* count);

}  // namespace tavrola
