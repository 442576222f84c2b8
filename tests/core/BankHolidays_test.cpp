#include "weeks/BankHolidays.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace tavrola;

namespace {

// "5 Christmas Day, 6 Boxing Day": each mark's day (1 = Monday) and label.
std::string Marks(const BankHolidayWeek& week)
{
    QStringList parts;
    for (int i = 0; i < week.count; ++i)
        parts << QStringLiteral("%1 %2").arg(week.marks[i].day).arg(QString::fromLatin1(week.marks[i].label));
    return parts.join(QStringLiteral(", ")).toStdString();
}

using Holiday = std::pair<std::string, std::string>;  // ISO date, label

}  // namespace

// The rules reproduce the fixed calendar of 2007..2011 except for the ward's own entries.
// Differences:
//   2007-01-02 "Hol": a local holiday the day after New Year's Day, in the table only.
// (The table has no holiday for the royal wedding on 29 April 2011, and neither have the
// rules, which know the one-off changes from 2012 on.)
TEST(BankHolidays, TheRulesMatchTheFixedCalendar)
{
    int count = 0;
    const BankHolidayTableRow* rows = BankHolidayTable(&count);
    ASSERT_EQ(count, 37);
    std::set<Holiday> table;
    for (int i = 0; i < count; ++i) {
        const QDate monday(rows[i].year, rows[i].month, rows[i].dayOfMonth);
        ASSERT_EQ(monday.dayOfWeek(), 1) << monday.toString(Qt::ISODate).toStdString();
        std::string expected;
        for (const BankHolidayMark& mark : rows[i].marks) {
            if (!mark.day)
                continue;
            expected += (expected.empty() ? "" : ", ") + std::to_string(mark.day) + " " + mark.label;
            const QDate d = monday.addDays(mark.day - 1);
            if (d.year() <= 2011)
                table.insert({d.toString(Qt::ISODate).toStdString(), mark.label});
        }
        EXPECT_EQ(Marks(FindBankHolidayWeek(monday)), expected) << monday.toString(Qt::ISODate).toStdString();
    }

    std::set<Holiday> computed;
    for (int year = 2007; year <= 2011; ++year)
        for (const BankHoliday& h : BankHolidaysOfYear(year))
            computed.insert({h.date.toString(Qt::ISODate).toStdString(), h.label});
    std::set<Holiday> onlyInTable, onlyComputed;
    for (const Holiday& h : table)
        if (!computed.count(h))
            onlyInTable.insert(h);
    for (const Holiday& h : computed)
        if (!table.count(h))
            onlyComputed.insert(h);
    EXPECT_EQ(onlyInTable, (std::set<Holiday>{{"2007-01-02", "Hol"}}));
    EXPECT_EQ(onlyComputed, std::set<Holiday>{});
}

TEST(BankHolidays, AnyMondaysWeek)
{
    const std::pair<QDate, const char*> cases[] = {
        // Christmas on a Friday, Boxing Day on a Saturday: its substitute opens the week
        // that also holds the next New Year's Day.
        {QDate(2026, 12, 21), "5 Christmas Day, 6 Boxing Day"},
        {QDate(2026, 12, 28), "1 BH, 5 New Yrs Day"},
        // Christmas on a Saturday: two substitutes; New Year's Day on a Saturday.
        {QDate(2027, 12, 20), "6 Christmas Day, 7 Boxing Day"},
        {QDate(2027, 12, 27), "1 BH, 2 BH, 6 New Yrs Day"},
        {QDate(2028, 1, 3), "1 New Year BH"},
        // Christmas on a Sunday, New Year's Day on a Sunday.
        {QDate(2022, 12, 19), "7 Christmas Day"},
        {QDate(2022, 12, 26), "1 Boxing Day, 2 BH, 7 New Yrs Day"},
        {QDate(2023, 1, 2), "1 New Year BH"},
        // Easter 2026 (5 April) and 2027 (28 March).
        {QDate(2026, 3, 30), "5 Good Fri, 7 Easter Day"},
        {QDate(2026, 4, 6), "1 Easter Mon"},
        {QDate(2027, 3, 22), "5 Good Fri, 7 Easter Day"},
        {QDate(2027, 3, 29), "1 Easter Mon"},
        // May and August Mondays.
        {QDate(2026, 5, 4), "1 BH"},
        {QDate(2026, 5, 25), "1 BH"},
        {QDate(2026, 8, 31), "1 BH"},
        // One-off changes.
        {QDate(2012, 5, 28), ""},
        {QDate(2012, 6, 4), "1 BH, 2 Jubilee BH"},
        {QDate(2020, 5, 4), "5 BH"},
        {QDate(2022, 5, 30), "4 BH, 5 Jubilee BH"},
        {QDate(2022, 9, 19), "1 State Funeral"},
        {QDate(2023, 5, 1), "1 BH"},
        {QDate(2023, 5, 8), "1 Coronation BH"},
        // Across the ends of the fixed calendar.
        {QDate(2006, 12, 25), "1 Christmas Day, 2 Boxing Day"},
        {QDate(2011, 12, 26), "1 Boxing Day, 2 BH, 7 New Yrs Day"},
        {QDate(2012, 1, 2), "1 New Year BH"},
        // An ordinary week; a day that is not a Monday; no date.
        {QDate(2026, 3, 9), ""},
        {QDate(2026, 12, 22), ""},
        {QDate(), ""},
    };
    for (const auto& [monday, expected] : cases)
        EXPECT_EQ(Marks(FindBankHolidayWeek(monday)), expected) << monday.toString(Qt::ISODate).toStdString();
}

TEST(BankHolidays, EasterSunday)
{
    // The earliest and latest dates Easter can take, and centuries where the Gregorian
    // corrections differ.
    const QDate cases[] = {QDate(1818, 3, 22), QDate(1943, 4, 25), QDate(2000, 4, 23), QDate(2019, 4, 21),
                           QDate(2024, 3, 31), QDate(2038, 4, 25), QDate(2100, 3, 28), QDate(2285, 3, 22)};
    for (const QDate& easter : cases)
        EXPECT_EQ(EasterSunday(easter.year()), easter) << easter.year();
}
