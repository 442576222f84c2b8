#pragma once
#include <QDate>
#include <QString>
#include <array>
#include <vector>

namespace tavrola {

inline constexpr int kDays = 7;     // 1..7 = Monday..Sunday
inline constexpr int kShifts = 3;   // 1..3 = AM, PM, N
inline constexpr int kLines = 25;   // staff lines 1..25
inline constexpr int kSkills = 6;   // skills 1..6
inline constexpr int kAbsenceCodes = 11;

// "Monday".."Sunday" for days 1..7, and "AM", "PM", "N" for shifts 1..3; empty otherwise.
inline QLatin1String DayName(int day)
{
    static const char* const names[kDays + 1] = {"", "Monday", "Tuesday", "Wednesday", "Thursday",
                                                 "Friday", "Saturday", "Sunday"};
    return QLatin1String(day >= 1 && day <= kDays ? names[day] : "");
}
inline QLatin1String ShiftCode(int shift)
{
    static const char* const codes[kShifts + 1] = {"", "AM", "PM", "N"};
    return QLatin1String(shift >= 1 && shift <= kShifts ? codes[shift] : "");
}

// The ward's standing data, as read from Staff.txt. Field names follow the file's keys.
// Tables indexed by day, shift or skill are 1-based with an unused index 0.
struct WardSettings {
    QString HOSPITAL;
    QString WARD;
    QString AnalysisStartDate;

    qint32 StaffRequired[kDays + 1][kShifts + 1] = {};

    QString NameAMShift, NamePMShift, NameNShift;
    QString NameHolidayFullDay, NameHolidayHalfDay, NameIllness;
    QString NameLeaveMaternity, NameLeavePaternity, NameLeaveCarers;
    QString NameLeaveDomestic, NameLeaveEmergency, NameLeaveAbsent;
    QString NameTrainingStudyDay, NameTrainingAdminDay;

    float HoursWorkedOnAM = 0, HoursWorkedOnPM = 0, HoursWorkedOnN = 0;
    float HoursHolidayFullDay = 0, HoursHolidayHalfDay = 0;
    float MidShiftBreak = 0;

    QString AMShiftHours, PMShiftHours, NShiftHours;  // 24 characters, "1" = core hour

    qint32 RequiredNursesPerDoctor = 0;
    qint32 PreferableNursesPerDoctor = 0;

    QString SkillName[kSkills + 1];
    QString SkillCode[kSkills + 1];
    qint32 SkillRequired[kSkills + 1] = {};
    qint32 SkillPreferable[kSkills + 1] = {};
    QString SkillCheckBoxes;  // 6 characters, "1" = skill counts towards nurses per doctor

    // The automatic fill cuts no shift shorter than this many hours (a file without the
    // key keeps 4).
    float ShortestShiftHours = 4;

    // Derived at the end of every read (ComputeDerivedSettings).
    int AMCoreHourCount = 0, PMCoreHourCount = 0, NCoreHourCount = 0;
    QString AMShiftTimes, PMShiftTimes, NShiftTimes;
    QDate AnalysisStartDateValue;
    bool AnalysisStartDateValid = false;

    // The 11 absence codes in their fixed order: full-day holiday, half-day holiday,
    // illness, the six leaves, study day, admin day. k = 0..10.
    const QString& AbsenceCode(int k) const;
    QString& AbsenceCode(int k);

    // The 14 duty names: three shift names, then the 11 absence codes. k = 1..14.
    const QString& DutyName(int k) const;
    QString& DutyName(int k);
};

// Recomputes the core hour counts, the shift times and the analysis date from the
// stored fields.
void ComputeDerivedSettings(WardSettings& s);

// The core-hours string of a shift from fromHour o'clock to toHour o'clock (0..24),
// wrapping past midnight: CoreHoursMask(7, 15) marks positions 8..15.
QString CoreHoursMask(int fromHour, int toHour);

// Number of "1" among the first 24 characters of a core-hours string.
int CountCoreHours(const QString& mask);

// The known keys of Staff.txt, in the order the file lays them out.
enum class SettingKind { Text, Whole, Real };

struct SettingKey {
    const char* key;
    SettingKind kind;
    QString* text = nullptr;
    qint32* whole = nullptr;
    float* real = nullptr;
};

// Builds the key table bound to the fields of `s` (75 rows).
std::vector<SettingKey> SettingsKeyTable(WardSettings& s);
int SettingsKeyCount();

// Reads a whole number as the settings file stores it: an optional sign and the leading
// decimal digits (12 -> 12, 2.5 -> 2, "" or a letter -> 0); out-of-range values clamp.
qint32 ParseWholeSetting(QStringView text);
// Reads a real with "." (or ",") as decimal point from its leading number; 0 when none.
float ParseRealSetting(QStringView text);

}  // namespace tavrola
