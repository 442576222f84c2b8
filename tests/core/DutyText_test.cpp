#include "TestWard.h"
#include "settings/WardSettings.h"
#include "util/ConversionError.h"
#include "settings/DutyText.h"
#include "util/TextUtil.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {


// The shared test ward (AM covers 7-15 o'clock, PM 13-21, nights 21-7) with 8 and 7 hour
// shifts so the two tell apart, the shift names in mixed case, and HHD and ABS as the
// half-day holiday and absence codes.
WardSettings TestSettings()
{
    WardSettings s = test::TestWardSettings(8.0f, 7.0f);
    s.NameAMShift = QStringLiteral("Early");
    s.NamePMShift = QStringLiteral("Late");
    s.NameNShift = QStringLiteral("Night");
    s.NameHolidayHalfDay = QStringLiteral("HHD");
    s.NameLeaveAbsent = QStringLiteral("ABS");
    ComputeDerivedSettings(s);
    return s;
}

struct Eval {
    float hours;
    int flags;
};

Eval Duty(const QString& text, const WardSettings& s)
{
    int flags = -1;
    const float h = DutyHours(text, s, &flags);
    return {h, flags};
}

Eval Day(const QString& text, const WardSettings& s)
{
    int flags = -1;
    const DutyEvaluator ev(s);
    const float h = DayHoursWithCodes(text, ev, &flags);
    return {h, flags};
}

QString Repeat(const QString& piece, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

}  // namespace

TEST(DutyHours, WorkedExamples)
{
    const WardSettings s = TestSettings();

    Eval e = Duty(QStringLiteral("7-3"), s);  // slots 8..15: 8 hours less the break
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftAM);

    e = Duty(QStringLiteral("0730-1530"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftAM);

    e = Duty(QStringLiteral("PM 1-9"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftPM);

    e = Duty(QStringLiteral("pm 1-9"), s);  // upper-cased before the test
    EXPECT_EQ(e.flags, ShiftPM);

    // "PM" after the last digit group does not move the range.
    e = Duty(QStringLiteral("1-9 PM"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, 0);

    // An end hour of 0 in 12-hour mode gives no hours.
    e = Duty(QStringLiteral("7-0"), s);
    EXPECT_EQ(e.hours, 0.0f);
}

TEST(DutyHours, ShiftNamesGiveTheirHoursWithoutBreak)
{
    const WardSettings s = TestSettings();

    Eval e = Duty(QStringLiteral("Early"), s);
    EXPECT_EQ(e.hours, 8.0f);
    EXPECT_EQ(e.flags, ShiftAM);

    e = Duty(QStringLiteral("early"), s);
    EXPECT_EQ(e.hours, 8.0f);

    e = Duty(QStringLiteral("Night"), s);
    EXPECT_EQ(e.hours, 10.0f);
    EXPECT_EQ(e.flags, ShiftN);

    // A later name replaces an earlier one.
    e = Duty(QStringLiteral("Early/Late"), s);
    EXPECT_EQ(e.hours, 7.0f);
    EXPECT_EQ(e.flags, ShiftPM);

    // Timed hours win over a name.
    e = Duty(QStringLiteral("7-3 Late"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftAM);

    // Names are found in long texts too (beyond the stack buffer).
    e = Duty(QString(300, u'x') + QStringLiteral("late"), s);
    EXPECT_EQ(e.hours, 7.0f);
    EXPECT_EQ(e.flags, ShiftPM);
}

TEST(DutyHours, BreakOnlyAboveSixHours)
{
    const WardSettings s = TestSettings();
    EXPECT_EQ(Duty(QStringLiteral("9-3"), s).hours, 6.0f);
    EXPECT_EQ(Duty(QStringLiteral("9-3.30"), s).hours, 6.0f);  // 6.5 less the break
    EXPECT_EQ(Duty(QStringLiteral("9-4"), s).hours, 6.5f);
}

TEST(DutyHours, TwentyFourHourClockSplitsOnlyLongGroups)
{
    const WardSettings s = TestSettings();

    Eval e = Duty(QStringLiteral("7.30-15.30"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftAM);

    e = Duty(QStringLiteral("19-07"), s);  // slots 20..24, 1..7
    EXPECT_EQ(e.hours, 11.5f);
    EXPECT_EQ(e.flags, ShiftN);

    e = Duty(QStringLiteral("7-1500"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftAM);

    e = Duty(QStringLiteral("0715-1530"), s);  // 8 h - 15 min + 30 min - break
    EXPECT_FLOAT_EQ(e.hours, 7.75f);

    // A five-digit group is no clock value: nothing to walk.
    EXPECT_EQ(Duty(QStringLiteral("12345-1600"), s).hours, 0.0f);
}

TEST(DutyHours, StartEqualsEnd)
{
    const WardSettings s = TestSettings();

    Eval e = Duty(QStringLiteral("8-8"), s);  // slots 9..20
    EXPECT_EQ(e.hours, 11.5f);
    EXPECT_EQ(e.flags, ShiftAM | ShiftPM);

    e = Duty(QStringLiteral("0800-0800"), s);
    EXPECT_EQ(e.hours, 23.5f);
    EXPECT_EQ(e.flags, ShiftAM | ShiftPM | ShiftN);

    EXPECT_EQ(Duty(QStringLiteral("13-13"), s).hours, 23.5f);
}

TEST(DutyHours, ThreeGroups)
{
    const WardSettings s = TestSettings();
    // Gap rule: the wider gap separates start from end.
    EXPECT_EQ(Duty(QStringLiteral("7.30-3"), s).hours, 7.0f);  // 7:30 to 3
    EXPECT_EQ(Duty(QStringLiteral("7.30 3"), s).hours, 7.0f);
    EXPECT_EQ(Duty(QStringLiteral("7-3.30"), s).hours, 8.0f);  // 7 to 3:30
    // Equal gaps: a "-" before the end of the second group makes it the end hour.
    EXPECT_EQ(Duty(QStringLiteral("7-3 30"), s).hours, 8.0f);
}

TEST(DutyHours, SeventyPercentThresholdIsExact)
{
    const WardSettings s = TestSettings();

    Eval e = Duty(QStringLiteral("21-4"), s);  // 7 of the 10 night hours
    EXPECT_EQ(e.hours, 6.5f);
    EXPECT_EQ(e.flags, ShiftN);

    e = Duty(QStringLiteral("22-4"), s);  // 6 of 10
    EXPECT_EQ(e.hours, 6.0f);
    EXPECT_EQ(e.flags, 0);
}

TEST(DutyHours, EmptyMaskMarksEveryTimedCellAndNothingElse)
{
    // A mask without core hours (24 zeros, or a blank line in Staff.txt) marks every cell
    // whose clock range was walked; absence codes, words and empty texts get no flag.
    for (const QString& empty : {QString(24, u'0'), QString()}) {
        WardSettings s = TestSettings();
        s.AMShiftHours = empty;
        s.NShiftHours = empty;
        const struct {
            const char* text;
            int flags;
        } cases[] = {
            {"7-3", ShiftAM | ShiftN},
            {"pm 1-9", ShiftAM | ShiftPM | ShiftN},
            {"HOL", 0},
            {"STUDY", 0},
            {"HOL 4", 0},
            {"ward round", 0},
            {"", 0},
            {"7", 0},
            {"Early", ShiftAM},
            {"LATE", ShiftPM},
            {"night", ShiftN},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            EXPECT_EQ(Duty(QString::fromLatin1(c.text), s).flags, c.flags);
            EXPECT_EQ(Day(QString::fromLatin1(c.text), s).flags, c.flags);
        }
    }
}

TEST(DutyHours, AbsenceCodeLimitsDigitScan)
{
    const WardSettings s = TestSettings();

    Eval e = Duty(QStringLiteral("7-3 STUDY 4"), s);
    EXPECT_EQ(e.hours, 7.5f);
    EXPECT_EQ(e.flags, ShiftAM);
    EXPECT_EQ(Day(QStringLiteral("7-3 STUDY 4"), s).hours, 11.5f);

    // The code search is case-sensitive: "study" leaves the 4 in the time digits.
    EXPECT_FLOAT_EQ(Duty(QStringLiteral("7-3 study 4"), s).hours, 8.0f + 4.0f / 60.0f - 0.5f);

    // Only the first code's position counts, wherever the codes appear in the list.
    EXPECT_EQ(Day(QStringLiteral("9-1 ADMIN 2 HOL 1"), s).hours, 7.0f);
}

TEST(DutyHours, EmptyNamesNeverMatch)
{
    WardSettings s = TestSettings();
    s.NameNShift.clear();
    s.NameTrainingAdminDay.clear();
    s.NameHolidayFullDay.clear();

    Eval e = Duty(QStringLiteral("x"), s);
    EXPECT_EQ(e.hours, 0.0f);
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(Day(QStringLiteral("x"), s).hours, 0.0f);
    EXPECT_EQ(Duty(QStringLiteral("7-3"), s).hours, 7.5f);
    EXPECT_EQ(CodeHours(QStringLiteral("x 4"), QString(), 0.0f, s), 0.0f);
}

TEST(DutyHours, HostileInputNeverCrashes)
{
    const WardSettings s = TestSettings();

    // More groups than tracked: no reading of them.
    Eval e = Duty(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"), s);
    EXPECT_EQ(e.hours, 0.0f);
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(Duty(Repeat(QStringLiteral("7-"), 50), s).hours, 0.0f);
    EXPECT_EQ(Duty(Repeat(QStringLiteral("1."), 5000), s).hours, 0.0f);

    // Huge numbers saturate and are no clock values.
    const QString forty = Repeat(QStringLiteral("1234567890"), 4);
    EXPECT_EQ(Duty(forty + QStringLiteral("-") + forty, s).hours, 0.0f);
    EXPECT_EQ(Duty(forty + QStringLiteral(".") + forty + QStringLiteral("-1.") + forty, s).hours,
              0.0f);
    EXPECT_EQ(Duty(QString(10000, u'9'), s).hours, 0.0f);

    // Long texts and control characters.
    EXPECT_EQ(Duty(QStringLiteral("7-3") + QString(10000, u'x'), s).hours, 7.5f);
    EXPECT_EQ(Day(QString(10000, u'x') + QStringLiteral("HOL 2"), s).hours, 2.0f);
    const QChar ctrl[] = {u'\t', u'7', QChar(0), u'-', u'\n', u'3', u'\r', QChar(0x7f)};
    EXPECT_EQ(Duty(QString(ctrl, 8), s).hours, 7.5f);
    EXPECT_EQ(Duty(QString(5000, QChar(0)), s).hours, 0.0f);
}

TEST(CodeHours, NumberAfterCodeOrDefault)
{
    const WardSettings s = TestSettings();

    EXPECT_EQ(Day(QStringLiteral("HOL 4"), s).hours, 4.0f);
    EXPECT_EQ(Day(QStringLiteral("HOL 3.5"), s).hours, 3.5f);
    EXPECT_EQ(Day(QStringLiteral("HOL"), s).hours, 7.5f);
    EXPECT_EQ(Day(QStringLiteral("HHD"), s).hours, 7.5f);  // full-day default for every code
    EXPECT_EQ(Day(QStringLiteral("7-3 HOL"), s).hours, 7.5f);
    EXPECT_EQ(Day(QStringLiteral("Early HOL"), s).hours, 8.0f);

    // Each code sees the running total: only a first code without number gets the default.
    EXPECT_EQ(Day(QStringLiteral("HOL 4 STUDY"), s).hours, 4.0f);
    EXPECT_EQ(Day(QStringLiteral("HOL STUDY 2"), s).hours, 9.5f);

    // Blanks inside the number are dropped; the scan stops at anything else.
    EXPECT_EQ(CodeHours(QStringLiteral("HOL 4 .5"), u"HOL", 0.0f, s), 4.5f);
    EXPECT_EQ(CodeHours(QStringLiteral("HOL 4h 5"), u"HOL", 0.0f, s), 4.0f);
    // A code that is not there carries nothing.
    EXPECT_EQ(CodeHours(QStringLiteral("7-3"), u"HOL", 0.0f, s), 0.0f);

    Eval e = Day(QString(), s);
    EXPECT_EQ(e.hours, 0.0f);
    EXPECT_EQ(e.flags, 0);
}

TEST(CodeHours, BadNumbersFailToConvert)
{
    const WardSettings s = TestSettings();
    EXPECT_THROW(CodeHours(QStringLiteral("HOL ."), u"HOL", 0.0f, s), ConversionError);
    EXPECT_THROW(CodeHours(QStringLiteral("HOL 7.5.5"), u"HOL", 0.0f, s), ConversionError);
    EXPECT_THROW(Day(QStringLiteral("HOL 4.."), s), ConversionError);
    try {
        CodeHours(QStringLiteral("HOL . ."), u"HOL", 0.0f, s);
        FAIL() << "no error";
    } catch (const ConversionError& err) {
        EXPECT_EQ(err.message(), QStringLiteral("'..' is not a valid floating point value"));
    }
    // Too large for single precision.
    EXPECT_THROW(CodeHours(QStringLiteral("HOL ") + QString(40, u'9'), u"HOL", 0.0f, s),
                 ConversionError);
    EXPECT_THROW(CodeHours(QStringLiteral("HOL ") + QString(10000, u'9'), u"HOL", 0.0f, s),
                 ConversionError);
}

TEST(HoursSetValue, SumDifferenceAndFirstOnly)
{
    EXPECT_EQ(HoursSetValue(u"37.5", false), 37.5f);
    EXPECT_EQ(HoursSetValue(u"37.5 +2.5", false), 40.0f);
    EXPECT_EQ(HoursSetValue(u"37.5 -2.5", false), 35.0f);
    EXPECT_EQ(HoursSetValue(u"37.5 +2.5", true), 37.5f);
    EXPECT_EQ(HoursSetValue(u"37.5 -2.5", true), 37.5f);
    EXPECT_EQ(HoursSetValue(u"", false), 0.0f);
    EXPECT_EQ(HoursSetValue(u"none", false), 0.0f);
    EXPECT_EQ(HoursSetValue(u"7.", false), 7.0f);
    EXPECT_EQ(HoursSetValue(u".5", false), 0.5f);
    EXPECT_EQ(HoursSetValue(u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23", false),
              3.0f);
    EXPECT_EQ(HoursSetValue(QString(30, u'1'), false), float(1.11111111111111111111111111111e29));

    EXPECT_EQ(FirstNumber(u"Hours 22.5 (3)"), 22.5f);
    EXPECT_EQ(FirstNumber(u""), 0.0f);
    EXPECT_EQ(FirstNumber(u"7 ."), 7.0f);  // only the first group is read
}

TEST(HoursSetValue, BadGroupsFailToConvert)
{
    EXPECT_THROW(HoursSetValue(u".", false), ConversionError);
    EXPECT_THROW(HoursSetValue(u"7.5.5", true), ConversionError);
    EXPECT_THROW(HoursSetValue(u"37.5 +.", true), ConversionError);  // second group, first-only
    EXPECT_THROW(FirstNumber(u"x .. 7"), ConversionError);
    EXPECT_THROW(HoursSetValue(Repeat(QStringLiteral("1."), 5000), false), ConversionError);
    EXPECT_THROW(FirstNumber(QString(40, u'9')), ConversionError);
}

TEST(DutyHoursTextHelpers, HourTo12TextAndPadToWidth)
{
    EXPECT_EQ(HourTo12Text(12), QStringLiteral("12"));
    EXPECT_EQ(HourTo12Text(13), QStringLiteral("1pm"));
    EXPECT_EQ(HourTo12Text(15), QStringLiteral("3pm"));
    EXPECT_EQ(HourTo12Text(0), QStringLiteral("0"));
    EXPECT_EQ(PadToWidth(u"0123456789", 4), QStringLiteral("0123"));
    EXPECT_EQ(PadToWidth(u"ab", 4), QStringLiteral("ab  "));
}
