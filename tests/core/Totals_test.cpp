#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/Totals.h"
#include "document/WeekFileCommands.h"
#include "weeks/WeekFileFormat.h"

#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

namespace {
struct Ward {
    WardModel model;
    ScriptedUi ui;
    RosterWeek& w = model.Week;
    explicit Ward(int named = 3)
    {
        test::SetUpTestWard(model, named);
        ConnectTotals(model);
    }
    void put(int day, int line, const char* text) { w.setText(BoxRef::cell(day, line), QString::fromUtf8(text)); }
};
}  // namespace

TEST(Totals, SicknessWithAShiftCountsHoursButNotTheShift)
{
    Ward t;
    t.put(1, 1, "SICK EARLY");
    t.put(1, 2, "EARLY");
    EXPECT_EQ(t.w.status().ShiftCounts[1][1], 1);
    EXPECT_EQ(t.w.status().WeekHours[1], 7.5f);
    EXPECT_EQ(t.w.data().HoursWorked[1], QStringLiteral("7.5"));
}

TEST(Totals, WorkOnAPreferredDayIsNotNonPreferred)
{
    Ward t;
    t.w.setColour(BoxRef::cell(2, 1), RequestColour);
    t.put(2, 1, "7-3");
    EXPECT_EQ(t.w.data().NonPrefCount[1], 0);
    t.put(3, 1, "7-3");  // a white day
    EXPECT_EQ(t.w.data().NonPrefCount[1], 1);
    t.put(4, 1, "HOL");  // an absence has no worked hours of its own
    EXPECT_EQ(t.w.data().NonPrefCount[1], 1);
}

TEST(Totals, HoursSetColoursCompareExactly)
{
    Ward t;
    for (int day = 1; day <= 5; ++day)
        t.put(day, 1, "EARLY");  // 5 x 7.5 = 37.5
    EXPECT_EQ(t.w.status().HoursSetColours[1], RequestColour);
    t.put(5, 1, "7-3.30");  // 8 hours less the break: 38 in all
    EXPECT_EQ(t.w.data().HoursWorked[1], QStringLiteral("38"));
    EXPECT_EQ(t.w.status().HoursSetColours[1], AlertColour);
    t.put(5, 1, "");  // 30 in all
    EXPECT_EQ(t.w.data().HoursWorked[1], QStringLiteral("30"));
    EXPECT_EQ(t.w.status().HoursSetColours[1], White);
}

TEST(Totals, CarriedOverAdjustmentMovesTheTarget)
{
    Ward t;
    for (int day = 1; day <= 5; ++day)
        t.put(day, 1, "EARLY");
    t.w.setText(BoxRef::hoursSet(1), QStringLiteral("35 +2.5"));
    t.put(6, 1, "");  // any recalculation picks the new target up
    t.model.Week.Recalculate();
    EXPECT_EQ(t.w.status().HoursSetColours[1], RequestColour);
    t.w.setText(BoxRef::hoursSet(1), QStringLiteral("40 -2.5"));
    t.model.Week.Recalculate();
    EXPECT_EQ(t.w.status().HoursSetColours[1], RequestColour);
    t.w.setText(BoxRef::hoursSet(1), QStringLiteral("37..5"));
    t.model.Week.Recalculate();
    EXPECT_EQ(t.w.status().HoursSetColours[1], White) << "an unreadable target stays white";
}

TEST(Totals, AbsenceCodesAddTheirHours)
{
    Ward t;
    t.put(1, 1, "HOL");          // default 7.5 on an empty day
    t.put(2, 1, "BH 3.75");      // its own hours
    t.put(3, 1, "7-11 STUDY 4"); // times before the code: 4 walked plus 4 written
    t.put(4, 1, "HOL EARLY");    // a worked day takes no default
    EXPECT_EQ(t.w.status().WeekHours[1], 7.5f + 3.75f + 8.0f + 7.5f);
    t.put(5, 1, "HOL .");        // hours that do not read count nothing
    EXPECT_EQ(t.w.status().WeekHours[1], 7.5f + 3.75f + 8.0f + 7.5f);
    EXPECT_TRUE(t.ui.shown.empty());
}

TEST(Totals, RequiredBoxesTurnGreenWhenCovered)
{
    Ward t;
    t.w.setText(BoxRef::required(1, 1), QStringLiteral("2"));
    t.put(1, 1, "EARLY");
    EXPECT_EQ(t.w.status().RequiredColours[1][1], White);
    t.put(1, 2, "7-3");
    EXPECT_EQ(t.w.status().RequiredColours[1][1], RequestColour);
    EXPECT_EQ(t.w.status().RequiredColours[2][1], RequestColour) << "a required 0 is always met";
    EXPECT_EQ(t.w.status().ShiftCounts[1][1], 2);
}

TEST(Totals, NightsAndLatesCountOnTheirOwnShift)
{
    Ward t;
    t.put(6, 1, "NIGHT");
    t.put(6, 2, "9pm-7");
    t.put(6, 3, "1-9 pm");  // "pm" after the digits: read as 1 to 9 o'clock, no shift
    t.put(7, 3, "pm 1-9");
    EXPECT_EQ(t.w.status().ShiftCounts[6][3], 2);
    EXPECT_EQ(t.w.status().ShiftCounts[7][2], 1);
}

TEST(Totals, LineWithoutANameCountsShiftsButNoHours)
{
    Ward t(2);
    t.put(1, 5, "EARLY");
    EXPECT_EQ(t.w.status().ShiftCounts[1][1], 1);
    EXPECT_EQ(t.w.status().WeekHours[5], 0.0f);
    EXPECT_TRUE(t.w.data().HoursWorked[5].isEmpty());
}

TEST(Totals, SuspendedRecalculationChangesNoTotal)
{
    Ward t;
    t.put(1, 1, "EARLY");
    t.w.RecalcSuspended = true;
    t.put(2, 1, "EARLY");
    EXPECT_EQ(t.w.status().WeekHours[1], 7.5f);
    t.w.RecalcSuspended = false;
    t.model.Week.Recalculate();
    EXPECT_EQ(t.w.status().WeekHours[1], 15.0f);
}

TEST(Totals, BoxesThatDoNotConvertAreMarkedAndKeepTheirColour)
{
    Ward t;
    t.put(1, 1, "EARLY");
    EXPECT_EQ(t.w.status().RequiredColours[3][1], RequestColour);
    t.w.setText(BoxRef::required(2, 3), QStringLiteral("2x"));
    t.w.setText(BoxRef::required(3, 1), QStringLiteral("5"));
    t.put(2, 1, "EARLY");
    t.put(4, 2, "HOL 7..5");
    EXPECT_TRUE(t.ui.shown.empty()) << "marked, not a message on every recalculation";
    EXPECT_EQ(t.w.status().RequiredErrors[2][3],
              QStringLiteral("Tuesday N required: '2x' is not a valid integer value"));
    EXPECT_EQ(t.w.status().RequiredColours[2][3], RequestColour) << "a bad box keeps its colour";
    EXPECT_EQ(t.w.status().RequiredColours[3][1], White) << "boxes after it are coloured";
    EXPECT_EQ(t.w.status().CellErrors[4][2], QStringLiteral("Thursday, line 2: '7..5' is not a valid floating point value"));
    EXPECT_EQ(t.w.status().WeekHours[1], 15.0f);
    EXPECT_EQ(t.w.status().WeekHours[2], 0.0f) << "hours that do not read count nothing";
    t.w.setText(BoxRef::required(2, 3), QStringLiteral("2"));
    t.put(4, 2, "HOL 7.5");
    EXPECT_TRUE(t.w.status().RequiredErrors[2][3].isEmpty());
    EXPECT_TRUE(t.w.status().CellErrors[4][2].isEmpty());
}

TEST(Totals, AnEmptyCoreMaskCountsOnlyTimedCellsAndTheWeekFileSavesThoseCounts)
{
    Ward t;
    t.model.Settings.AMShiftHours = QString(24, u'0');
    t.put(1, 1, "HOL");
    t.put(2, 1, "STUDY");
    t.put(3, 1, "7-3");
    t.put(4, 1, "EARLY");
    t.put(5, 1, "LATE");
    const qint32 early[kDays + 1] = {0, 0, 0, 1, 1, 0, 0, 0};
    const QStringList lines = WeekFileText(WeekFileDataFromModel(t.model)).split(QStringLiteral("\r\n"));
    for (int day = 1; day <= kDays; ++day) {
        SCOPED_TRACE(day);
        EXPECT_EQ(t.w.status().ShiftCounts[day][1], early[day]);
        EXPECT_EQ(lines[WeekFileCountLine(day, 1) - 1], QString::number(early[day]));
    }
    EXPECT_EQ(t.w.status().ShiftCounts[5][2], 1);
}
