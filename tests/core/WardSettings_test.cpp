#include "settings/WardSettings.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

using namespace tavrola;

namespace {

// Sets the default locale for one test and puts the previous one back.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

QString MaskWithHours(std::initializer_list<int> hours)
{
    QString mask(24, u'0');
    for (int h : hours)
        mask[h] = u'1';
    return mask;
}

}  // namespace

TEST(WardSettings, KeyTableHasEveryKeyOnceInFileOrder)
{
    WardSettings s;
    const std::vector<SettingKey> keys = SettingsKeyTable(s);
    ASSERT_EQ(int(keys.size()), 75);
    EXPECT_EQ(SettingsKeyCount(), 75);

    std::set<std::string> names;
    std::set<const void*> fields;
    for (const SettingKey& k : keys) {
        names.insert(k.key);
        const void* field = k.kind == SettingKind::Text    ? static_cast<const void*>(k.text)
                            : k.kind == SettingKind::Whole ? static_cast<const void*>(k.whole)
                                                           : static_cast<const void*>(k.real);
        EXPECT_NE(field, nullptr) << k.key;
        fields.insert(field);
    }
    EXPECT_EQ(names.size(), 75u);
    EXPECT_EQ(fields.size(), 75u);  // no two keys fill the same field

    EXPECT_STREQ(keys[0].key, "HOSPITAL");
    EXPECT_STREQ(keys[2].key, "AnalysisStartDate");
    EXPECT_STREQ(keys[3].key, "MondayAMStaffRequired");
    EXPECT_STREQ(keys[10].key, "MondayPMStaffRequired");
    EXPECT_STREQ(keys[23].key, "SundayNStaffRequired");
    EXPECT_STREQ(keys[24].key, "NameAMShift");
    EXPECT_STREQ(keys[30].key, "HoursWorkedOnAM");
    EXPECT_STREQ(keys[36].key, "NameLeaveMaternity");
    EXPECT_STREQ(keys[44].key, "AMShiftHours");
    EXPECT_STREQ(keys[47].key, "RequiredNursesPerDoctor");
    EXPECT_STREQ(keys[49].key, "SkillName1");
    EXPECT_STREQ(keys[73].key, "SkillCheckBoxes");
    EXPECT_STREQ(keys[74].key, "ShortestShiftHours");
}

TEST(WardSettings, KeyTableRowsFillTheNamedFields)
{
    WardSettings s;
    const std::vector<SettingKey> keys = SettingsKeyTable(s);
    int n = 0;
    for (const SettingKey& k : keys) {
        ++n;
        switch (k.kind) {
        case SettingKind::Text: *k.text = QString::fromLatin1(k.key); break;
        case SettingKind::Whole: *k.whole = n; break;
        case SettingKind::Real: *k.real = float(n); break;
        }
    }
    EXPECT_EQ(s.HOSPITAL, "HOSPITAL");
    EXPECT_EQ(s.NameHolidayHalfDay, "NameHolidayHalfDay");
    EXPECT_EQ(s.NameTrainingAdminDay, "NameTrainingAdminDay");
    EXPECT_EQ(s.NShiftHours, "NShiftHours");
    EXPECT_EQ(s.SkillName[1], "SkillName1");
    EXPECT_EQ(s.SkillCode[6], "SkillCode6");
    EXPECT_EQ(s.SkillCheckBoxes, "SkillCheckBoxes");
    EXPECT_EQ(s.StaffRequired[1][1], 4);   // MondayAM
    EXPECT_EQ(s.StaffRequired[7][1], 10);  // SundayAM
    EXPECT_EQ(s.StaffRequired[3][2], 13);  // WednesdayPM
    EXPECT_EQ(s.StaffRequired[4][3], 21);  // ThursdayN
    EXPECT_EQ(s.HoursWorkedOnAM, 31.0f);
    EXPECT_EQ(s.MidShiftBreak, 36.0f);
    EXPECT_EQ(s.ShortestShiftHours, 75.0f);
    EXPECT_EQ(s.PreferableNursesPerDoctor, 49);
    EXPECT_EQ(s.SkillRequired[1], 62);
    EXPECT_EQ(s.SkillPreferable[6], 73);
}

TEST(WardSettings, DutyNamesAndAbsenceCodesInFixedOrder)
{
    WardSettings s;
    const std::vector<SettingKey> keys = SettingsKeyTable(s);
    for (const SettingKey& k : keys)
        if (k.kind == SettingKind::Text)
            *k.text = QString::fromLatin1(k.key);
    const char* expected[] = {"NameAMShift",          "NamePMShift",         "NameNShift",
                              "NameHolidayFullDay",   "NameHolidayHalfDay",  "NameIllness",
                              "NameLeaveMaternity",   "NameLeavePaternity",  "NameLeaveCarers",
                              "NameLeaveDomestic",    "NameLeaveEmergency",  "NameLeaveAbsent",
                              "NameTrainingStudyDay", "NameTrainingAdminDay"};
    const WardSettings& cs = s;
    for (int k = 1; k <= 14; ++k)
        EXPECT_EQ(cs.DutyName(k), QString::fromLatin1(expected[k - 1])) << k;
    for (int k = 0; k < kAbsenceCodes; ++k)
        EXPECT_EQ(&s.AbsenceCode(k), &s.DutyName(k + 4));

    // Writing through an index out of range never reaches a real setting.
    s.DutyName(15) = QStringLiteral("X");
    s.AbsenceCode(-1) = QStringLiteral("Y");
    EXPECT_TRUE(cs.DutyName(0).isEmpty());
    EXPECT_EQ(s.NameTrainingAdminDay, "NameTrainingAdminDay");
    EXPECT_EQ(s.NameAMShift, "NameAMShift");
}

TEST(WardSettings, WholeNumbersTakeTheLeadingDigits)
{
    EXPECT_EQ(ParseWholeSetting(u"12"), 12);
    EXPECT_EQ(ParseWholeSetting(u"2.5"), 2);
    EXPECT_EQ(ParseWholeSetting(u""), 0);
    EXPECT_EQ(ParseWholeSetting(u"abc"), 0);
    EXPECT_EQ(ParseWholeSetting(u"x12"), 0);
    EXPECT_EQ(ParseWholeSetting(u"-3"), -3);
    EXPECT_EQ(ParseWholeSetting(u"+4"), 4);
    EXPECT_EQ(ParseWholeSetting(u"-"), 0);
    EXPECT_EQ(ParseWholeSetting(u"7 nurses"), 7);
    EXPECT_EQ(ParseWholeSetting(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeSetting(u"2147483648"), std::numeric_limits<qint32>::max());
    EXPECT_EQ(ParseWholeSetting(u"99999999999999999999999999"), std::numeric_limits<qint32>::max());
    EXPECT_EQ(ParseWholeSetting(u"-2147483648"), std::numeric_limits<qint32>::min());
    EXPECT_EQ(ParseWholeSetting(u"-99999999999999999999"), std::numeric_limits<qint32>::min());
}

TEST(WardSettings, RealsTakeTheLeadingDecimalInSinglePrecision)
{
    EXPECT_EQ(ParseRealSetting(u"7.5"), 7.5f);
    EXPECT_EQ(ParseRealSetting(u"7,5"), 7.5f);
    EXPECT_EQ(ParseRealSetting(u"12"), 12.0f);
    EXPECT_EQ(ParseRealSetting(u".5"), 0.5f);
    EXPECT_EQ(ParseRealSetting(u"8."), 8.0f);
    EXPECT_EQ(ParseRealSetting(u"-1.25"), -1.25f);
    EXPECT_EQ(ParseRealSetting(u"7.5 hours"), 7.5f);
    EXPECT_EQ(ParseRealSetting(u"1.2.3"), 1.2f);
    EXPECT_EQ(ParseRealSetting(u""), 0.0f);
    EXPECT_EQ(ParseRealSetting(u"abc"), 0.0f);
    EXPECT_EQ(ParseRealSetting(u"."), 0.0f);
    // Held as the nearest float, so it compares equal to the float literal only.
    EXPECT_EQ(ParseRealSetting(u"7.3"), 7.3f);
    EXPECT_NE(double(ParseRealSetting(u"7.3")), 7.3);
    EXPECT_EQ(ParseRealSetting(QStringLiteral("1") + QString(60, u'0')), std::numeric_limits<float>::max());
    EXPECT_EQ(ParseRealSetting(QStringLiteral("0.") + QString(60, u'0') + u'1'), 0.0f);
}

TEST(WardSettings, CoreHoursCountOnlyTheTwentyFourPositions)
{
    EXPECT_EQ(CountCoreHours(QString()), 0);
    EXPECT_EQ(CountCoreHours(MaskWithHours({7, 8, 9})), 3);
    EXPECT_EQ(CountCoreHours(QStringLiteral("111")), 3);
    EXPECT_EQ(CountCoreHours(QString(27, u'1')), 24);
}

TEST(WardSettings, ShiftTimesFromCoreHoursAndHours)
{
    WardSettings s;
    s.AMShiftHours = QString(24, u'0');  // no "1": AM starts at 8
    s.HoursWorkedOnAM = 7.5f;            // rounds to 8 (half to even)
    s.PMShiftHours.clear();              // PM starts at 12
    s.HoursWorkedOnPM = 12.5f;           // rounds to 12
    s.NShiftHours = MaskWithHours({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});  // no start found
    s.HoursWorkedOnN = 10;
    ComputeDerivedSettings(s);
    EXPECT_EQ(s.AMShiftTimes, "8 to 4pm");
    EXPECT_EQ(s.PMShiftTimes, "12 to 0");
    EXPECT_EQ(s.NShiftTimes, "8pm to 6");
    EXPECT_EQ(s.NCoreHourCount, 11);
    EXPECT_EQ(s.AMCoreHourCount, 0);

    s.AMShiftHours = MaskWithHours({7, 8, 9, 10, 11, 12, 13, 14});
    s.HoursWorkedOnAM = 8;
    s.PMShiftHours = MaskWithHours({14, 15, 16, 17, 18, 19, 20});
    s.HoursWorkedOnPM = 7.5f;
    s.NShiftHours = MaskWithHours({0, 1, 2, 3, 4, 5, 6, 21, 22, 23});
    s.HoursWorkedOnN = 9.5f;  // rounds to 10
    ComputeDerivedSettings(s);
    EXPECT_EQ(s.AMShiftTimes, "7 to 3pm");
    EXPECT_EQ(s.PMShiftTimes, "2pm to 10pm");
    EXPECT_EQ(s.NShiftTimes, "9pm to 7");
    EXPECT_EQ(s.AMCoreHourCount, 8);
    EXPECT_EQ(s.PMCoreHourCount, 7);
    EXPECT_EQ(s.NCoreHourCount, 10);

    // A night "1" at hour 11 is the earliest start taken.
    s.NShiftHours = MaskWithHours({11});
    ComputeDerivedSettings(s);
    EXPECT_EQ(s.NShiftTimes, "11 to 9pm");

    // Halves go to the even neighbour both ways; negative hours wrap into the day.
    s.AMShiftHours.clear();
    s.HoursWorkedOnAM = 0.5f;
    ComputeDerivedSettings(s);
    EXPECT_EQ(s.AMShiftTimes, "8 to 8");
    s.HoursWorkedOnAM = 1.5f;
    ComputeDerivedSettings(s);
    EXPECT_EQ(s.AMShiftTimes, "8 to 10");
    s.HoursWorkedOnAM = -10;
    ComputeDerivedSettings(s);
    EXPECT_EQ(s.AMShiftTimes, "8 to 10pm");
    s.HoursWorkedOnAM = 1e30f;
    ComputeDerivedSettings(s);
    EXPECT_FALSE(s.AMShiftTimes.isEmpty());
}

TEST(WardSettings, AnalysisDateParsesShortFormatThenFallbacks)
{
    WardSettings s;
    {
        DefaultLocale gb(QLocale(QLocale::English, QLocale::UnitedKingdom));
        s.AnalysisStartDate = QStringLiteral("01/03/2024");
        ComputeDerivedSettings(s);
        EXPECT_TRUE(s.AnalysisStartDateValid);
        EXPECT_EQ(s.AnalysisStartDateValue, QDate(2024, 3, 1));

        s.AnalysisStartDate = QStringLiteral("2024-03-01");
        ComputeDerivedSettings(s);
        EXPECT_TRUE(s.AnalysisStartDateValid);
        EXPECT_EQ(s.AnalysisStartDateValue, QDate(2024, 3, 1));

        s.AnalysisStartDate = QStringLiteral("next month");
        ComputeDerivedSettings(s);
        EXPECT_FALSE(s.AnalysisStartDateValid);
        EXPECT_FALSE(s.AnalysisStartDateValue.isValid());

        s.AnalysisStartDate = QStringLiteral("31/02/2024");
        ComputeDerivedSettings(s);
        EXPECT_FALSE(s.AnalysisStartDateValid);

        s.AnalysisStartDate.clear();
        ComputeDerivedSettings(s);
        EXPECT_FALSE(s.AnalysisStartDateValid);
    }
    {
        // A short format with a two-digit year: years land in 1950..2049, and the
        // day/month fallback still reads a ward's dates.
        DefaultLocale us(QLocale(QLocale::English, QLocale::UnitedStates));
        s.AnalysisStartDate = QStringLiteral("3/1/24");
        ComputeDerivedSettings(s);
        EXPECT_EQ(s.AnalysisStartDateValue, QDate(2024, 3, 1));
        s.AnalysisStartDate = QStringLiteral("3/1/60");
        ComputeDerivedSettings(s);
        EXPECT_EQ(s.AnalysisStartDateValue, QDate(1960, 3, 1));
        s.AnalysisStartDate = QStringLiteral("25/12/2023");
        ComputeDerivedSettings(s);
        EXPECT_EQ(s.AnalysisStartDateValue, QDate(2023, 12, 25));
    }
}

TEST(WardSettings, CoreHoursMaskWrapsPastMidnight)
{
    EXPECT_EQ(CoreHoursMask(7, 15), QStringLiteral("000000011111111000000000"));
    EXPECT_EQ(CoreHoursMask(21, 7), QStringLiteral("111111100000000000000111"));
    EXPECT_EQ(CoreHoursMask(0, 24), QStringLiteral("111111111111111111111111"));
    EXPECT_EQ(CoreHoursMask(9, 9), QStringLiteral("000000000000000000000000"));
}
