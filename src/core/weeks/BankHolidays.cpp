#include "weeks/BankHolidays.h"

#include <algorithm>
#include <iterator>

namespace tavrola {

namespace {
constexpr int Mon = 1, Tue = 2, Wed = 3, Thu = 4, Fri = 5, Sat = 6, Sun = 7;

const BankHolidayTableRow kTable[] = {
    {2007, 1, 1, {{Mon, "New Yrs Day"}, {Tue, "Hol"}}},
    {2007, 4, 2, {{Fri, "Good Fri"}, {Sun, "Easter Day"}}},
    {2007, 4, 9, {{Mon, "Easter Mon"}}},
    {2007, 5, 7, {{Mon, "BH"}}},
    {2007, 5, 28, {{Mon, "BH"}}},
    {2007, 8, 27, {{Mon, "BH"}}},
    {2007, 12, 24, {{Tue, "Christmas Day"}, {Wed, "Boxing Day"}}},
    {2007, 12, 31, {{Tue, "New Yrs Day"}}},
    {2008, 3, 17, {{Fri, "Good Fri"}, {Sun, "Easter Day"}}},
    {2008, 3, 24, {{Mon, "Easter Mon"}}},
    {2008, 5, 5, {{Mon, "BH"}}},
    {2008, 5, 26, {{Mon, "BH"}}},
    {2008, 8, 25, {{Mon, "BH"}}},
    {2008, 12, 22, {{Thu, "Christmas Day"}, {Fri, "Boxing Day"}}},
    {2008, 12, 29, {{Thu, "New Yrs Day"}}},
    {2009, 4, 6, {{Fri, "Good Fri"}, {Sun, "Easter Day"}}},
    {2009, 4, 13, {{Mon, "Easter Mon"}}},
    {2009, 5, 4, {{Mon, "BH"}}},
    {2009, 5, 25, {{Mon, "BH"}}},
    {2009, 8, 31, {{Mon, "BH"}}},
    {2009, 12, 21, {{Fri, "Christmas Day"}, {Sat, "Boxing Day"}}},
    {2009, 12, 28, {{Mon, "BH"}, {Fri, "New Yrs Day"}}},
    {2010, 3, 29, {{Fri, "Good Fri"}, {Sun, "Easter Day"}}},
    {2010, 4, 5, {{Mon, "Easter Mon"}}},
    {2010, 5, 3, {{Mon, "BH"}}},
    {2010, 5, 31, {{Mon, "BH"}}},
    {2010, 8, 30, {{Mon, "BH"}}},
    {2010, 12, 20, {{Sat, "Christmas Day"}, {Sun, "Boxing Day"}}},
    {2010, 12, 27, {{Mon, "BH"}, {Tue, "BH"}, {Sat, "New Yrs Day"}}},
    {2011, 1, 3, {{Mon, "New Year BH"}}},
    {2011, 4, 18, {{Fri, "Good Fri"}, {Sun, "Easter Day"}}},
    {2011, 4, 25, {{Mon, "Easter Mon"}}},
    {2011, 5, 2, {{Mon, "BH"}}},
    {2011, 5, 30, {{Mon, "BH"}}},
    {2011, 8, 29, {{Mon, "BH"}}},
    {2011, 12, 19, {{Sun, "Christmas Day"}}},
    {2011, 12, 26, {{Mon, "Boxing Day"}, {Tue, "BH"}, {Sun, "New Yrs Day"}}},
};

constexpr int kFirstTableYear = 2007, kLastTableYear = 2011;

// Changes to the usual holidays by proclamation: a day added, or (with from) a usual
// holiday moved to this day.
struct OneOff {
    int year, month, dayOfMonth;
    const char* label;
    int fromMonth = 0, fromDay = 0;
};

const OneOff kOneOffs[] = {
    {2012, 6, 4, "BH", 5, 28},  // spring holiday moved for the diamond jubilee
    {2012, 6, 5, "Jubilee BH"},
    {2020, 5, 8, "BH", 5, 4},  // early May holiday moved to VE day
    {2022, 6, 2, "BH", 5, 30},  // spring holiday moved for the platinum jubilee
    {2022, 6, 3, "Jubilee BH"},
    {2022, 9, 19, "State Funeral"},
    {2023, 5, 8, "Coronation BH"},
};

bool Weekend(const QDate& d)
{
    return d.dayOfWeek() >= Sat;
}

// The given weekday (1..7) on or before this date.
QDate WeekdayOnOrBefore(const QDate& d, int weekday)
{
    return d.addDays(-((d.dayOfWeek() - weekday + 7) % 7));
}

QDate FirstMonday(int year, int month)
{
    const QDate first(year, month, 1);
    return first.addDays((Mon - first.dayOfWeek() + 7) % 7);
}

QDate LastMonday(int year, int month)
{
    const QDate first(year, month, 1);
    return WeekdayOnOrBefore(first.addDays(first.daysInMonth() - 1), Mon);
}

const char* TableLabel(const QDate& d)
{
    const QDate monday = WeekdayOnOrBefore(d, Mon);
    for (const BankHolidayTableRow& row : kTable)
        if (QDate(row.year, row.month, row.dayOfMonth) == monday)
            for (const BankHolidayMark& mark : row.marks)
                if (mark.day == d.dayOfWeek())
                    return mark.label;
    return nullptr;
}

}  // namespace

QDate EasterSunday(int year)
{
    // The anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

std::vector<BankHoliday> BankHolidaysOfYear(int year)
{
    std::vector<BankHoliday> days;
    const QDate newYear(year, 1, 1);
    days.push_back({newYear, "New Yrs Day"});
    if (Weekend(newYear))
        days.push_back({newYear.addDays(8 - newYear.dayOfWeek()), "New Year BH"});

    const QDate easter = EasterSunday(year);
    days.push_back({easter.addDays(-2), "Good Fri"});
    days.push_back({easter, "Easter Day"});
    days.push_back({easter.addDays(1), "Easter Mon"});
    days.push_back({FirstMonday(year, 5), "BH"});
    days.push_back({LastMonday(year, 5), "BH"});
    days.push_back({LastMonday(year, 8), "BH"});

    // Christmas and Boxing Day at a weekend each give the next free weekday after them.
    const QDate christmas(year, 12, 25), boxingDay(year, 12, 26);
    days.push_back({christmas, "Christmas Day"});
    days.push_back({boxingDay, "Boxing Day"});
    QDate substitute = boxingDay;
    for (const QDate& d : {christmas, boxingDay}) {
        if (!Weekend(d))
            continue;
        do
            substitute = substitute.addDays(1);
        while (Weekend(substitute));
        days.push_back({substitute, "BH"});
    }

    for (const OneOff& change : kOneOffs) {
        if (change.year != year)
            continue;
        if (change.fromMonth)
            std::erase_if(days, [&](const BankHoliday& h) {
                return h.date == QDate(year, change.fromMonth, change.fromDay);
            });
        days.push_back({QDate(year, change.month, change.dayOfMonth), change.label});
    }
    std::sort(days.begin(), days.end(),
              [](const BankHoliday& x, const BankHoliday& y) { return x.date < y.date; });
    return days;
}

BankHolidayWeek FindBankHolidayWeek(const QDate& monday)
{
    BankHolidayWeek week;
    if (!monday.isValid() || monday.dayOfWeek() != Mon)
        return week;
    std::vector<BankHoliday> computed;
    int computedYear = 0;
    for (int day = Mon; day <= Sun; ++day) {
        const QDate d = monday.addDays(day - Mon);
        const char* label = nullptr;
        if (d.year() >= kFirstTableYear && d.year() <= kLastTableYear) {
            label = TableLabel(d);
        } else {
            if (computedYear != d.year()) {
                computed = BankHolidaysOfYear(d.year());
                computedYear = d.year();
            }
            for (const BankHoliday& h : computed)
                if (h.date == d)
                    label = h.label;
        }
        if (label)
            week.marks[week.count++] = {day, label};
    }
    return week;
}

const BankHolidayTableRow* BankHolidayTable(int* count)
{
    *count = int(std::size(kTable));
    return kTable;
}

}  // namespace tavrola
