#pragma once
#include "settings/WardSettings.h"

#include <QDate>

#include <QStringList>

namespace tavrola {

// Staff needed on each shift of the week: the ward's standing requirement plus
// RequiredNursesPerDoctor for every clinic line that names the day and shift in the
// week of the month. Indexed [day 1..7][shift 1..3].
struct Requirements {
    qint32 Required[kDays + 1][kShifts + 1] = {};
    qint32 ClinicExtra[kDays + 1][kShifts + 1] = {};
    bool overflow = false;  // a sum did not fit: the requirement was left at its standing value
};

// The week of the month of the day `offset` days after a Monday that falls on day
// `dayOfMonth`: days 1-7 are week 1, 8-14 week 2, ... The sum is not wrapped into the
// next month, so the 30th plus 6 is week 6.
int WeekOfMonth(int dayOfMonth, int offset);

// Works the requirements out from the settings, the week-commencing date and the plain
// lines of the clinic schedule.
Requirements ComputeRequirements(const WardSettings& settings, const QDate& weekCommencing,
                                 const QStringList& clinicLines);

}  // namespace tavrola
