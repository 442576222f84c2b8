#include "ScriptedUi.h"
#include "TestWard.h"
#include "autofill/RequiredNurses.h"
#include "document/RequirementsStep.h"
#include "document/RequirementsStep.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

namespace {
WardSettings ward(int perDoctor)
{
    WardSettings s = test::TestWardSettings();
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            s.StaffRequired[day][shift] = 10 * day + shift;
    s.RequiredNursesPerDoctor = perDoctor;
    return s;
}

int extra(const Requirements& r, int day, int shift) { return r.ClinicExtra[day][shift]; }
}  // namespace

TEST(RequiredNurses, WeekOfMonthRunsOnPastTheMonthEnd)
{
    EXPECT_EQ(WeekOfMonth(1, 0), 1);
    EXPECT_EQ(WeekOfMonth(7, 0), 1);
    EXPECT_EQ(WeekOfMonth(8, 0), 2);
    EXPECT_EQ(WeekOfMonth(30, 0), 5);  // Monday the 30th
    EXPECT_EQ(WeekOfMonth(30, 1), 5);  // Tuesday the 31st
    EXPECT_EQ(WeekOfMonth(30, 6), 6);  // Sunday: day 36, not week 1 of the new month
    EXPECT_EQ(WeekOfMonth(31, 6), 6);
}

TEST(RequiredNurses, LowerCaseLineMatchesInItsWeeksOnly)
{
    const QStringList lines = {QStringLiteral("monday am  Dr Patel  wk 1,3")};
    Requirements r = ComputeRequirements(ward(2), QDate(2026, 6, 1), lines);
    EXPECT_EQ(extra(r, 1, 1), 2);
    EXPECT_EQ(r.Required[1][1], 11 + 2);
    EXPECT_EQ(r.Required[1][2], 12);
    r = ComputeRequirements(ward(2), QDate(2026, 6, 8), lines);
    EXPECT_EQ(extra(r, 1, 1), 0);
    r = ComputeRequirements(ward(2), QDate(2026, 6, 15), lines);
    EXPECT_EQ(extra(r, 1, 1), 2);
}

TEST(RequiredNurses, NumbersAfterPacAreNotWeeks)
{
    const QStringList lines = {QStringLiteral("TUESDAY PM Dr Lee WK 2 PAC 1")};
    EXPECT_EQ(extra(ComputeRequirements(ward(1), QDate(2026, 6, 8), lines), 2, 2), 1);
    EXPECT_EQ(extra(ComputeRequirements(ward(1), QDate(2026, 6, 1), lines), 2, 2), 0);
    // "PAC" before "WK": the week text is empty and never matches.
    const QStringList early = {QStringLiteral("TUESDAY PM PAC notes WK 1,2,3,4,5")};
    EXPECT_EQ(extra(ComputeRequirements(ward(1), QDate(2026, 6, 8), early), 2, 2), 0);
}

TEST(RequiredNurses, FirstMatchingDayTakesTheLineAndAllItsShifts)
{
    const QStringList both = {QStringLiteral("MONDAY AM and TUESDAY AM WK 1")};
    Requirements r = ComputeRequirements(ward(1), QDate(2026, 6, 1), both);
    EXPECT_EQ(extra(r, 1, 1), 1);
    EXPECT_EQ(extra(r, 2, 1), 0);
    // Monday the 29th is in week 5.
    const QStringList week5 = {QStringLiteral("MONDAY AM and TUESDAY AM WK 5")};
    r = ComputeRequirements(ward(1), QDate(2026, 6, 29), week5);
    EXPECT_EQ(extra(r, 1, 1), 1);
    EXPECT_EQ(extra(r, 2, 1), 0);
    // Monday the 2nd is week 1 but Sunday the 8th is week 2.
    const QStringList mondaySunday = {QStringLiteral("MONDAY AM, SUNDAY PM WK 2")};
    r = ComputeRequirements(ward(1), QDate(2026, 2, 2), mondaySunday);
    EXPECT_EQ(extra(r, 1, 1), 0);
    EXPECT_EQ(extra(r, 7, 2), 1);

    const QStringList twoShifts = {QStringLiteral("FRIDAY AM FRIDAY PM WK 1")};
    r = ComputeRequirements(ward(3), QDate(2026, 6, 1), twoShifts);
    EXPECT_EQ(extra(r, 5, 1), 3);
    EXPECT_EQ(extra(r, 5, 2), 3);
    EXPECT_EQ(extra(r, 5, 3), 0);
}

TEST(RequiredNurses, RepeatedLinesAddAgainAndZeroPerDoctorAddsNothing)
{
    const QStringList lines = {QStringLiteral("WEDNESDAY N WK 1"), QStringLiteral("wednesday n wk1")};
    EXPECT_EQ(extra(ComputeRequirements(ward(2), QDate(2026, 6, 1), lines), 3, 3), 4);
    const Requirements none = ComputeRequirements(ward(0), QDate(2026, 6, 1), lines);
    EXPECT_EQ(none.Required[3][3], 33);
    const QStringList noWk = {QStringLiteral("WEDNESDAY N week 1")};
    EXPECT_EQ(extra(ComputeRequirements(ward(2), QDate(2026, 6, 1), noWk), 3, 3), 0);
}

TEST(RequiredNurses, OverflowKeepsTheStandingRequirement)
{
    WardSettings s = ward(1);
    s.StaffRequired[1][1] = 2147483647;
    const Requirements r = ComputeRequirements(s, QDate(2026, 6, 1), {QStringLiteral("MONDAY AM WK 1")});
    EXPECT_TRUE(r.overflow);
    EXPECT_EQ(r.Required[1][1], 2147483647);
}

TEST(RequiredNurses, StandingRequirementsIgnoreTheClinics)
{
    QTemporaryDir dir;
    QFile f(dir.path() + QStringLiteral("/Clinic.rtf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\pard Monday AM Dr A WK 1\\par}");
    f.close();
    WardModel model;
    model.Week.DataFolder = dir.path() + u'/';
    model.Week.PickerDate = QDate(2026, 6, 1);
    model.Week.setText(BoxRef::required(7, 3), QStringLiteral("9"));
    ApplyStandingRequirements(model.Week, ward(1));
    EXPECT_EQ(model.Week.data().Required[1][1], QStringLiteral("11"));
    EXPECT_EQ(model.Week.data().Required[7][3], QStringLiteral("73"));
}

TEST(RequiredNurses, BoxesFromTheClinicFileAndAnUnreadableFileIsReported)
{
    QTemporaryDir dir;
    WardModel model;
    model.Settings = ward(1);
    model.Week.DataFolder = dir.path() + u'/';
    model.Week.PickerDate = QDate(2026, 6, 1);
    test::ScriptedUi ui;
    SetupRequiredNurses(model, &ui);  // no Clinic.rtf: standing requirements, no message
    EXPECT_EQ(model.Week.data().Required[1][1], QStringLiteral("11"));
    EXPECT_TRUE(ui.shown.empty());

    QFile f(dir.path() + QStringLiteral("/Clinic.rtf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Monday AM Dr A\\par Sunday N Dr B WK 1\\par}");
    f.close();
    SetupRequiredNurses(model, &ui);
    EXPECT_EQ(model.Week.data().Required[1][1], QStringLiteral("11"));  // no WK
    EXPECT_EQ(model.Week.data().Required[7][3], QStringLiteral("74"));  // day 7: week 1

    QFile::remove(dir.path() + QStringLiteral("/Clinic.rtf"));
    QDir().mkdir(dir.path() + QStringLiteral("/Clinic.rtf"));  // exists, cannot be read
    SetupRequiredNurses(model, &ui);
    EXPECT_EQ(ui.count(QStringLiteral("error")), 1);
    EXPECT_EQ(model.Week.data().Required[7][3], QStringLiteral("73"));
}
