#include "settings/WardSettings.h"

#include "util/Locale.h"
#include "util/TextUtil.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tavrola {

namespace {

// Out-of-range requests for a code get a scratch string, so a bad index never touches
// a real setting.
QString& ScratchName()
{
    static QString scratch;
    scratch.clear();
    return scratch;
}

const QString& EmptyName()
{
    static const QString empty;
    return empty;
}

// Position (from 1) of the first "1" at positions from..to of a core-hours string;
// 0 when there is none.
int FirstCoreHour(const QString& mask, int from, int to)
{
    const int last = std::min<int>(to, int(mask.size()));
    for (int p = from; p <= last; ++p)
        if (mask[p - 1] == u'1')
            return p;
    return 0;
}

// Start hour + shift hours (rounded half to even), wrapped to 0..23.
int ShiftEndHour(int start, float hours)
{
    double rounded = std::nearbyint(double(hours));  // default rounding: ties to even
    if (!std::isfinite(rounded))
        rounded = 0;
    double end = std::fmod(double(start) + rounded, 24.0);
    if (end < 0)
        end += 24.0;
    return int(end);
}

QString ShiftTimes(int start, float hours)
{
    return HourTo12Text(start) + QStringLiteral(" to ") + HourTo12Text(ShiftEndHour(start, hours));
}

const char* const kStaffRequiredKeys[kShifts][kDays] = {
    {"MondayAMStaffRequired", "TuesdayAMStaffRequired", "WednesdayAMStaffRequired",
     "ThursdayAMStaffRequired", "FridayAMStaffRequired", "SaturdayAMStaffRequired",
     "SundayAMStaffRequired"},
    {"MondayPMStaffRequired", "TuesdayPMStaffRequired", "WednesdayPMStaffRequired",
     "ThursdayPMStaffRequired", "FridayPMStaffRequired", "SaturdayPMStaffRequired",
     "SundayPMStaffRequired"},
    {"MondayNStaffRequired", "TuesdayNStaffRequired", "WednesdayNStaffRequired",
     "ThursdayNStaffRequired", "FridayNStaffRequired", "SaturdayNStaffRequired",
     "SundayNStaffRequired"},
};

const char* const kSkillNameKeys[kSkills] = {"SkillName1", "SkillName2", "SkillName3",
                                             "SkillName4", "SkillName5", "SkillName6"};
const char* const kSkillCodeKeys[kSkills] = {"SkillCode1", "SkillCode2", "SkillCode3",
                                             "SkillCode4", "SkillCode5", "SkillCode6"};
const char* const kSkillRequiredKeys[kSkills] = {"SkillRequired1", "SkillRequired2",
                                                 "SkillRequired3", "SkillRequired4",
                                                 "SkillRequired5", "SkillRequired6"};
const char* const kSkillPreferableKeys[kSkills] = {"SkillPreferable1", "SkillPreferable2",
                                                   "SkillPreferable3", "SkillPreferable4",
                                                   "SkillPreferable5", "SkillPreferable6"};

SettingKey TextKey(const char* key, QString& field)
{
    return SettingKey{key, SettingKind::Text, &field, nullptr, nullptr};
}
SettingKey WholeKey(const char* key, qint32& field)
{
    return SettingKey{key, SettingKind::Whole, nullptr, &field, nullptr};
}
SettingKey RealKey(const char* key, float& field)
{
    return SettingKey{key, SettingKind::Real, nullptr, nullptr, &field};
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

const QString& WardSettings::AbsenceCode(int k) const
{
    return const_cast<WardSettings*>(this)->AbsenceCode(k);
}

QString& WardSettings::AbsenceCode(int k)
{
    switch (k) {
    case 0: return NameHolidayFullDay;
    case 1: return NameHolidayHalfDay;
    case 2: return NameIllness;
    case 3: return NameLeaveMaternity;
    case 4: return NameLeavePaternity;
    case 5: return NameLeaveCarers;
    case 6: return NameLeaveDomestic;
    case 7: return NameLeaveEmergency;
    case 8: return NameLeaveAbsent;
    case 9: return NameTrainingStudyDay;
    case 10: return NameTrainingAdminDay;
    default: return ScratchName();
    }
}

const QString& WardSettings::DutyName(int k) const
{
    if (k < 1 || k > 3 + kAbsenceCodes)
        return EmptyName();
    return const_cast<WardSettings*>(this)->DutyName(k);
}

QString& WardSettings::DutyName(int k)
{
    switch (k) {
    case 1: return NameAMShift;
    case 2: return NamePMShift;
    case 3: return NameNShift;
    default: return AbsenceCode(k - 4);
    }
}

QString CoreHoursMask(int fromHour, int toHour)
{
    QString mask(24, u'0');
    int hours = ((toHour - fromHour) % 24 + 24) % 24;
    if (hours == 0 && toHour != fromHour)
        hours = 24;  // 0 to 24: the whole day
    for (int n = 0; n < hours; ++n)
        mask[((fromHour + n) % 24 + 24) % 24] = u'1';
    return mask;
}

int CountCoreHours(const QString& mask)
{
    int count = 0;
    const int last = std::min<int>(24, int(mask.size()));
    for (int p = 0; p < last; ++p)
        if (mask[p] == u'1')
            ++count;
    return count;
}

void ComputeDerivedSettings(WardSettings& s)
{
    s.AMCoreHourCount = CountCoreHours(s.AMShiftHours);
    s.PMCoreHourCount = CountCoreHours(s.PMShiftHours);
    s.NCoreHourCount = CountCoreHours(s.NShiftHours);

    // Only the 24 hour positions count; a night "1" before 11:00 is the tail of the
    // previous night, not its start.
    const int am = FirstCoreHour(s.AMShiftHours, 1, 24);
    const int pm = FirstCoreHour(s.PMShiftHours, 1, 24);
    const int night = FirstCoreHour(s.NShiftHours, 12, 24);
    const int amStart = am > 0 ? am - 1 : 8;
    const int pmStart = pm > 0 ? pm - 1 : 12;
    const int nStart = night > 0 ? night - 1 : 20;

    s.AMShiftTimes = ShiftTimes(amStart, s.HoursWorkedOnAM);
    s.PMShiftTimes = ShiftTimes(pmStart, s.HoursWorkedOnPM);
    s.NShiftTimes = ShiftTimes(nStart, s.HoursWorkedOnN);

    s.AnalysisStartDateValid = false;
    s.AnalysisStartDateValue = QDate();
    if (!s.AnalysisStartDate.isEmpty()) {
        const QDate d = ParseDateText(s.AnalysisStartDate);
        if (d.isValid()) {
            s.AnalysisStartDateValue = d;
            s.AnalysisStartDateValid = true;
        }
    }
}

std::vector<SettingKey> SettingsKeyTable(WardSettings& s)
{
    std::vector<SettingKey> t;
    t.reserve(75);
    t.push_back(TextKey("HOSPITAL", s.HOSPITAL));
    t.push_back(TextKey("WARD", s.WARD));
    t.push_back(TextKey("AnalysisStartDate", s.AnalysisStartDate));
    for (int shift = 1; shift <= kShifts; ++shift)
        for (int day = 1; day <= kDays; ++day)
            t.push_back(WholeKey(kStaffRequiredKeys[shift - 1][day - 1], s.StaffRequired[day][shift]));
    t.push_back(TextKey("NameAMShift", s.NameAMShift));
    t.push_back(TextKey("NamePMShift", s.NamePMShift));
    t.push_back(TextKey("NameNShift", s.NameNShift));
    t.push_back(TextKey("NameHolidayFullDay", s.NameHolidayFullDay));
    t.push_back(TextKey("NameHolidayHalfDay", s.NameHolidayHalfDay));
    t.push_back(TextKey("NameIllness", s.NameIllness));
    t.push_back(RealKey("HoursWorkedOnAM", s.HoursWorkedOnAM));
    t.push_back(RealKey("HoursWorkedOnPM", s.HoursWorkedOnPM));
    t.push_back(RealKey("HoursWorkedOnN", s.HoursWorkedOnN));
    t.push_back(RealKey("HoursHolidayFullDay", s.HoursHolidayFullDay));
    t.push_back(RealKey("HoursHolidayHalfDay", s.HoursHolidayHalfDay));
    t.push_back(RealKey("MidShiftBreak", s.MidShiftBreak));
    t.push_back(TextKey("NameLeaveMaternity", s.NameLeaveMaternity));
    t.push_back(TextKey("NameLeavePaternity", s.NameLeavePaternity));
    t.push_back(TextKey("NameLeaveCarers", s.NameLeaveCarers));
    t.push_back(TextKey("NameLeaveDomestic", s.NameLeaveDomestic));
    t.push_back(TextKey("NameLeaveEmergency", s.NameLeaveEmergency));
    t.push_back(TextKey("NameLeaveAbsent", s.NameLeaveAbsent));
    t.push_back(TextKey("NameTrainingStudyDay", s.NameTrainingStudyDay));
    t.push_back(TextKey("NameTrainingAdminDay", s.NameTrainingAdminDay));
    t.push_back(TextKey("AMShiftHours", s.AMShiftHours));
    t.push_back(TextKey("PMShiftHours", s.PMShiftHours));
    t.push_back(TextKey("NShiftHours", s.NShiftHours));
    t.push_back(WholeKey("RequiredNursesPerDoctor", s.RequiredNursesPerDoctor));
    t.push_back(WholeKey("PreferableNursesPerDoctor", s.PreferableNursesPerDoctor));
    for (int k = 1; k <= kSkills; ++k)
        t.push_back(TextKey(kSkillNameKeys[k - 1], s.SkillName[k]));
    for (int k = 1; k <= kSkills; ++k)
        t.push_back(TextKey(kSkillCodeKeys[k - 1], s.SkillCode[k]));
    for (int k = 1; k <= kSkills; ++k)
        t.push_back(WholeKey(kSkillRequiredKeys[k - 1], s.SkillRequired[k]));
    for (int k = 1; k <= kSkills; ++k)
        t.push_back(WholeKey(kSkillPreferableKeys[k - 1], s.SkillPreferable[k]));
    t.push_back(TextKey("SkillCheckBoxes", s.SkillCheckBoxes));
    t.push_back(RealKey("ShortestShiftHours", s.ShortestShiftHours));
    return t;
}

int SettingsKeyCount()
{
    return 75;
}

qint32 ParseWholeSetting(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    constexpr qint64 limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    qint64 value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (value < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

float ParseRealSetting(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    bool digits = false;
    bool wholeNonZero = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        number += char(text[i].unicode());
        digits = true;
        wholeNonZero = wholeNonZero || text[i] != u'0';
    }
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        std::string fraction;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            fraction += char(text[i].unicode());
        if (!fraction.empty()) {
            number += '.';
            number += fraction;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // from_chars rounds the decimal straight to single precision, as the field holds it.
    float value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (!wholeNonZero)
            return 0;  // a fraction too small for a float
        const float max = std::numeric_limits<float>::max();
        return number[0] == '-' ? -max : max;
    }
    return value;
}

}  // namespace tavrola
