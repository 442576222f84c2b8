#include "TestWard.h"

namespace tavrola::test {

QString CoreMask(int from, int to)
{
    return CoreHoursMask(from - 1, to);
}

WardSettings TestWardSettings(float earlyHours, float lateHours)
{
    WardSettings s;
    // Shift names that would hide inside the codes are kept apart on purpose.
    const char* names[14] = {"EARLY", "LATE", "NIGHT", "HOL", "BH", "SICK", "MAT",
                             "PAT", "CAR", "DOM", "EMG", "AWOL", "STUDY", "ADMIN"};
    for (int k = 1; k <= 14; ++k)
        s.DutyName(k) = QString::fromLatin1(names[k - 1]);
    s.HoursWorkedOnAM = earlyHours;
    s.HoursWorkedOnPM = lateHours;
    s.HoursWorkedOnN = 10.0f;
    s.HoursHolidayFullDay = 7.5f;
    s.HoursHolidayHalfDay = 3.75f;
    s.MidShiftBreak = 0.5f;
    s.AMShiftHours = CoreMask(8, 15);
    s.PMShiftHours = CoreMask(14, 21);
    s.NShiftHours = CoreMask(22, 7);
    ComputeDerivedSettings(s);
    return s;
}

void SetUpTestWard(WardModel& model, int namedLines)
{
    model.Settings = TestWardSettings();
    for (int line = 1; line <= namedLines; ++line) {
        model.Week.setText(BoxRef::name(line), QStringLiteral("Nurse %1").arg(line));
        model.Week.setText(BoxRef::hoursSet(line), QStringLiteral("37.5"));
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            model.Week.setText(BoxRef::required(day, shift), QStringLiteral("0"));
}

void SetUpTestWardIn(WardModel& model, int namedLines, const QString& folder, const QDate& start)
{
    SetUpTestWard(model, namedLines);
    model.Settings.HOSPITAL = QStringLiteral("St Elsewhere");
    model.Settings.WARD = QStringLiteral("Ward 9");
    model.Week.DataFolder = folder + u'/';
    model.Week.StartupPickerDate = model.Week.PickerDate = start;
}

}  // namespace tavrola::test
