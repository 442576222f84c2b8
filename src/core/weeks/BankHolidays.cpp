#include "weeks/BankHolidays.h"

#include <iterator>

namespace tavrola {

namespace {
constexpr int Mon = 1, Tue = 2, Wed = 3, Thu = 4, Fri = 5, Sat = 6, Sun = 7;

const BankHolidayWeek kTable[] = {
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
}  // namespace

const BankHolidayWeek* FindBankHolidayWeek(const QDate& d)
{
    if (!d.isValid())
        return nullptr;
    for (const BankHolidayWeek& row : kTable)
        if (row.year == d.year() && row.month == d.month() && row.dayOfMonth == d.day())
            return &row;
    return nullptr;
}

const BankHolidayWeek* BankHolidayTable(int* count)
{
    *count = int(std::size(kTable));
    return kTable;
}

}  // namespace tavrola
