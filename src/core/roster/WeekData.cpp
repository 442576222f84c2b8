#include "roster/WeekData.h"

namespace tavrola {

WeekData::WeekData()
{
    for (auto& day : CellColours)
        for (Colour& c : day)
            c = White;
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            Required[day][shift] = QStringLiteral("0");
}

}  // namespace tavrola
