#include "TestWard.h"
#include "document/DutyClicks.h"
#include "document/Totals.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {
struct Brushing {
    WardModel model;
    const BoxRef cell = BoxRef::cell(3, 2);
    Brushing()
    {
        test::SetUpTestWard(model, 3);
        ConnectTotals(model);
    }
    QString click(Brush b, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            DutyClick(model, cell, b, 200);
        return model.Week.text(cell);
    }
};
}  // namespace

TEST(Brushes, HolidayCyclesHalfDayWholeDayNone)
{
    Brushing t;
    EXPECT_EQ(t.click(Brush::Holiday), QStringLiteral("BH "));
    EXPECT_EQ(t.click(Brush::Holiday), QStringLiteral("HOL"));
    EXPECT_EQ(t.click(Brush::Holiday), QString());
    t.model.Week.setText(t.cell, QStringLiteral("EARLY"));
    EXPECT_EQ(t.click(Brush::Holiday), QStringLiteral("BH EARLY"));
    EXPECT_EQ(t.click(Brush::Holiday), QStringLiteral("HOL EARLY"));
    EXPECT_EQ(t.click(Brush::Holiday), QStringLiteral("EARLY"));
}

TEST(Brushes, SickTogglesAroundAShift)
{
    Brushing t;
    t.model.Week.setText(t.cell, QStringLiteral("LATE"));
    EXPECT_EQ(t.click(Brush::Sick), QStringLiteral("SICK LATE"));
    EXPECT_EQ(t.model.Week.status().ShiftCounts[3][2], 0) << "a sick person is not counted on the shift";
    EXPECT_EQ(t.click(Brush::Sick), QStringLiteral("LATE"));
    EXPECT_EQ(t.model.Week.status().ShiftCounts[3][2], 1);
}

TEST(Brushes, LeaveWalksSixCodesAndEndsEmpty)
{
    Brushing t;
    const QStringList expected = {QStringLiteral("MAT "), QStringLiteral("PAT"), QStringLiteral("CAR"),
                                  QStringLiteral("DOM"), QStringLiteral("EMG"), QStringLiteral("AWOL"),
                                  QString()};
    for (const QString& e : expected)
        EXPECT_EQ(t.click(Brush::Leave), e);
}

TEST(Brushes, TrainingCyclesStudyAdminNone)
{
    Brushing t;
    t.model.Week.setText(t.cell, QStringLiteral("7-3"));
    EXPECT_EQ(t.click(Brush::Training), QStringLiteral("STUDY 7-3"));
    EXPECT_EQ(t.click(Brush::Training), QStringLiteral("ADMIN 7-3"));
    EXPECT_EQ(t.click(Brush::Training), QStringLiteral("7-3"));
}

TEST(Brushes, ShiftBrushesReplaceTheWholeText)
{
    Brushing t;
    t.model.Week.setText(t.cell, QStringLiteral("HOL"));
    EXPECT_EQ(t.click(Brush::AM), QStringLiteral("EARLY")) << "no standard shift on the line";
    t.model.Week.setLineHint(t.cell.line(), QStringLiteral("7.30-15.30"));
    t.model.Week.setText(t.cell, QStringLiteral("HOL"));
    EXPECT_EQ(t.click(Brush::AM), QStringLiteral("7.30-15.30"));
    EXPECT_EQ(t.click(Brush::PM), QStringLiteral("LATE"));
    EXPECT_EQ(t.click(Brush::N), QStringLiteral("NIGHT"));
}

TEST(Brushes, EveryClickStopsAFillButTheArrowChangesNothing)
{
    Brushing t;
    t.model.Week.setText(t.cell, QStringLiteral("EARLY"));
    t.model.Week.RosterChanged = false;
    t.model.Week.FillRunning = true;
    EXPECT_EQ(t.click(Brush::None), QStringLiteral("EARLY"));
    EXPECT_FALSE(t.model.Week.FillRunning);
    EXPECT_FALSE(t.model.Week.RosterChanged);
    t.click(Brush::PM);
    EXPECT_TRUE(t.model.Week.RosterChanged);
    EXPECT_EQ(t.model.Week.status().WeekHours[2], 7.5f) << "a brush recalculates like typing";
}

TEST(Brushes, RightClickTogglesTheRequestColourAsAStoredChange)
{
    Brushing t;
    t.model.Week.setText(t.cell, QStringLiteral("EARLY"));
    t.model.Week.RosterChanged = false;
    EXPECT_EQ(t.model.Week.data().NonPrefCount[2], 1);
    DutyMouseDown(t.model, t.cell);
    EXPECT_EQ(t.model.Week.colour(t.cell), RequestColour);
    EXPECT_EQ(t.model.Week.data().NonPrefCount[2], 0) << "a requested day is not non-preferred work";
    EXPECT_TRUE(t.model.Week.RosterChanged) << "the week file stores the mark";
    EXPECT_EQ(t.model.Undo.undoText(), QStringLiteral("Request mark on Wednesday, line 2"));
    DutyMouseDown(t.model, t.cell);
    EXPECT_EQ(t.model.Week.colour(t.cell), White);
    t.model.Week.setColour(t.cell, AlertColour);  // a bank holiday
    DutyMouseDown(t.model, t.cell);
    EXPECT_EQ(t.model.Week.colour(t.cell), RequestColour);
    DutyMouseDown(t.model, t.cell);
    EXPECT_EQ(t.model.Week.colour(t.cell), White);
}

TEST(Brushes, SwapOutStrTrimsTheResult)
{
    EXPECT_EQ(SwapOutStr(QStringLiteral("  BH  EARLY "), QStringLiteral("BH"), QString()), QStringLiteral("EARLY"));
    EXPECT_EQ(SwapOutStr(QStringLiteral("X MAT Y"), QStringLiteral("MAT"), QStringLiteral("PAT")),
              QStringLiteral("X PAT Y"));
}
