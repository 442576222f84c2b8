#include "print/PrintSheet.h"

namespace tavrola {

int LinesUsed(const WeekData& week)
{
    for (int line = kLines; line >= 1; --line) {
        if (!week.Names[line].isEmpty() || !week.Notes[line].isEmpty())
            return line;
        for (int day = 1; day <= kDays; ++day)
            if (!week.Cells[day][line].isEmpty())
                return line;
    }
    return 0;
}

int LinesWithNames(const WeekData& week)
{
    for (int line = kLines; line >= 1; --line)
        if (!week.Names[line].isEmpty())
            return line + 1;
    return 0;
}

}  // namespace tavrola
