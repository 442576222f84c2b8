#include "roster/DutyCursors.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(DutyCursors, SevenBrushesTakeTheFirstFreeIdsInOrder)
{
    DutyCursors c;
    LoadDutyCursors(c);
    for (int b = 1; b <= kBrushCount; ++b) {
        EXPECT_EQ(c.DutyCursorIds[b], b);
        EXPECT_EQ(c.Registry.resourceAt(b), BrushCursorResource(Brush(b)));
    }
    EXPECT_EQ(c.currentBrush(), Brush::None);
    c.choose(Brush::Leave);
    EXPECT_EQ(c.CurrentCursorId, 6);
    EXPECT_EQ(c.currentBrush(), Brush::Leave);
    c.CurrentCursorId = 4711;  // some other cursor in force: no brush
    EXPECT_EQ(c.currentBrush(), Brush::None);
    c.choose(Brush::None);
    EXPECT_EQ(c.currentBrush(), Brush::None);
}

TEST(DutyCursors, TakenIdsAreSkippedAndAFullTableInstallsNothing)
{
    CursorRegistry r;
    r.install(1, QStringLiteral("SOMEONE"));
    r.install(2, QStringLiteral("ELSE"));
    int id = 0;
    LoadScreenCursor(r, id, QStringLiteral("ARROWAM"));
    EXPECT_EQ(id, 3);
    int given = 77;
    LoadScreenCursor(r, given, QStringLiteral("ARROWPM"));
    EXPECT_EQ(given, 77);
    EXPECT_EQ(r.resourceAt(77), QStringLiteral("ARROWPM"));

    for (int i = 1; i <= CursorRegistry::kMaxId; ++i)
        r.install(i, QStringLiteral("X"));
    int none = 0;
    LoadScreenCursor(r, none, QStringLiteral("ARROWN"));
    EXPECT_EQ(none, 0);
    EXPECT_TRUE(r.isFree(0));
}
