#include "autofill/RequiredNurses.h"

#include "util/TextUtil.h"

namespace tavrola {

namespace {
const char* const kDayNames[kDays + 1] = {"",         "MONDAY", "TUESDAY",  "WEDNESDAY",
                                          "THURSDAY", "FRIDAY", "SATURDAY", "SUNDAY"};
const char* const kShiftSuffix[kShifts + 1] = {"", " AM", " PM", " N"};
}  // namespace

int WeekOfMonth(int dayOfMonth, int offset)
{
    // 1/7 and the small offset as the ward's original arithmetic has them, in extended
    // precision: a day count never lands close enough to a whole week to tip over.
    const long double seventh = 0.14285714285714285714L;
    return int((dayOfMonth + offset) * seventh - 0.142L) + 1;
}

Requirements ComputeRequirements(const WardSettings& s, const QDate& weekCommencing, const QStringList& clinicLines)
{
    Requirements r;
    const int dayOfMonth = weekCommencing.isValid() ? weekCommencing.day() : 0;
    for (const QString& line : clinicLines) {
        const QString upper = UpperCase(line);
        const int pac = Pos(u"PAC", upper);
        const int end = pac > 0 ? pac : int(line.size()) + 1;
        const int wk = Pos(u"WK", upper);
        if (wk == 0)
            continue;
        const QString weeks = end > wk ? line.mid(wk - 1, end - wk) : QString();
        for (int k = 0; k < kDays; ++k) {
            const QString day = QString::fromLatin1(kDayNames[k + 1]);
            if (!Contains(upper, day))
                continue;
            if (!Contains(weeks, IntToText(WeekOfMonth(dayOfMonth, k))))
                continue;  // not this week: the next day named in the line may still match
            for (int shift = 1; shift <= kShifts; ++shift) {
                if (!Contains(upper, day + QString::fromLatin1(kShiftSuffix[shift])))
                    continue;
                qint32& extra = r.ClinicExtra[k + 1][shift];
                if (__builtin_add_overflow(extra, s.RequiredNursesPerDoctor, &extra))
                    r.overflow = true;
            }
            break;  // one day per line
        }
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (__builtin_add_overflow(s.StaffRequired[day][shift], r.ClinicExtra[day][shift],
                                       &r.Required[day][shift])) {
                r.overflow = true;
                r.Required[day][shift] = s.StaffRequired[day][shift];
            }
    return r;
}

}  // namespace tavrola
