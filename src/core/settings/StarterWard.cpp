#include "settings/StarterWard.h"

#include "settings/StaffFile.h"

#include <QFileInfo>

namespace tavrola {

StaffEditorData StarterWardData()
{
    WardSettings s;
    s.HOSPITAL = QStringLiteral("Your Hospital");
    s.WARD = QStringLiteral("Your Ward");
    // No code may hide inside another: cells are searched for them by substring.
    const char* codes[14] = {"EARLY", "LATE", "NIGHT", "HOL", "BH", "SICK", "MAT",
                             "PAT", "CARER", "DOM", "EMERG", "AWOL", "STUDY", "ADMIN"};
    for (int k = 1; k <= 14; ++k)
        s.DutyName(k) = QString::fromLatin1(codes[k - 1]);
    s.HoursWorkedOnAM = 7.5f;
    s.HoursWorkedOnPM = 7.5f;
    s.HoursWorkedOnN = 10.0f;
    s.HoursHolidayFullDay = 7.5f;
    s.HoursHolidayHalfDay = 3.75f;
    s.MidShiftBreak = 0.5f;
    // Early 07:00-15:00, late 14:00-22:00, night 21:00-07:00.
    s.AMShiftHours = CoreHoursMask(7, 15);
    s.PMShiftHours = CoreHoursMask(14, 22);
    s.NShiftHours = CoreHoursMask(21, 7);
    for (int day = 1; day <= kDays; ++day) {
        s.StaffRequired[day][1] = day <= 5 ? 4 : 3;
        s.StaffRequired[day][2] = 3;
        s.StaffRequired[day][3] = 2;
    }
    s.RequiredNursesPerDoctor = 1;
    s.PreferableNursesPerDoctor = 2;
    s.SkillCheckBoxes = QStringLiteral("000000");

    std::vector<StaffEditorRow> staff(2);
    staff[0] = {QStringLiteral("Example Sister"), QString(), QStringLiteral("B7"), QStringLiteral("37.5"),
                QStringLiteral("EARLY"), {}};
    staff[1] = {QStringLiteral("Example Nurse"), QString(), QStringLiteral("B5"), QStringLiteral("30"),
                QStringLiteral("LATE"), {}};
    for (int day = 1; day <= 5; ++day)
        staff[0].preferred[day] = true;
    return EditorDataFromSettings(s, staff);
}

bool CreateStarterWard(const QString& dataFolder, QString* error)
{
    const QString path = dataFolder + kStaffFileName;
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("\"%1\" already exists.").arg(path);
        return false;
    }
    WardSettings scratch;
    return UpdateStaffFile(path, StarterWardData(), scratch, error);
}

}  // namespace tavrola
