#include "render/RecordingCanvas.h"
#include "render/StatsPicture.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

bool Has(const RecordingCanvas& c, const QString& call) { return c.calls.contains(call); }

int CountStarting(const RecordingCanvas& c, const QString& prefix)
{
    int n = 0;
    for (const QString& call : c.calls)
        n += call.startsWith(prefix);
    return n;
}

TEST(StatsPicture, YearGraphBarsAndWhereTheTotalIsWritten)
{
    struct Case {
        float month1, month2;
        int scale, maxBar;
        const char* total;     // the text call of the total
        const char* bar1;      // month 1's bar, or "" for none
    };
    const Case cases[] = {
        {150, 7.5f, 12, 99, "text 185,50 157.5", "line 221,52 221,40"},   // 150 / 12: 12 pixels; 7.5: none
        {992, 7.5f, 12, 99, "text 185,50 999.5", "line 221,52 221,-30"},  // totals end before the base line
        {991.5f, 7.5f, 12, 99, "text 197,50 999", "line 221,52 221,-30"},
        {2.5f, 0, 1, 99, "text 197,50 2.5", "line 221,52 221,50"},        // 2.5 rounds to 2
        {-3, 0, 1, 99, "text 203,50 -3", ""},                             // nothing below zero
        {31, 0, 1, 20, "text 203,50 31", "line 221,52 221,32"},          // a bar stops at the room it has
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas(kStatsSurfaceWidth, kStatsSurfaceHeight);
        MonthValues v = {};
        v[1] = c.month1;
        v[2] = c.month2;
        DisplayYearGraph(canvas, 210, 50, v, c.scale, c.maxBar);
        EXPECT_TRUE(Has(canvas, QString::fromLatin1(c.total))) << c.total;
        if (*c.bar1) {
            EXPECT_TRUE(Has(canvas, QString::fromLatin1(c.bar1))) << c.bar1;
        }
        EXPECT_EQ(CountStarting(canvas, QStringLiteral("line 221,")), *c.bar1 ? 1 : 0);
        EXPECT_EQ(CountStarting(canvas, QStringLiteral("line 229,")), 0);  // 7.5 hours draw no bar
        EXPECT_TRUE(Has(canvas, QStringLiteral("text 218,53 J")));
        EXPECT_TRUE(Has(canvas, QStringLiteral("text 306,53 D")));
        EXPECT_TRUE(Has(canvas, QStringLiteral("line 215,52 315,52")));  // the silver base line
        EXPECT_EQ(canvas.font().colour, Canvas::Font().colour);        // font put back
    }
}

TEST(StatsPicture, RowsYearColumnsShortagesAndNamesLeftOut)
{
    StatsTables t;
    t.StatNames = QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")};
    t.StatHrsPerWeek[0] = 37.5f;
    t.StatTraining[1] = QStringLiteral("Mentor");
    StatsPictureInput in{QStringLiteral("Cedar Ward 7"), QDate(2026, 1, 1), QDate(2026, 12, 31)};

    RecordingCanvas same(kStatsSurfaceWidth, kStatsSurfaceHeight);
    DisplayStatistics(same, t, in);
    // Rows 48 pixels apart, room for a month of 31 days over the initials above.
    for (const char* call : {"text 10,3 Cedar Ward 7", "line 185,22 185,144", "line 725,22 725,144",
                             "text 10,96 Ann", "text 135,96 37.5", "text 135,144 0", "text 750,144  Training: Mentor",
                             "text 350,288 STAFF SHORTAGES", "text 265,336 2026", "text 525,336 2024",
                             "text 220,480 0", "text 480,480 0"})
        EXPECT_TRUE(Has(same, QString::fromLatin1(call))) << call;
    EXPECT_EQ(CountStarting(same, QStringLiteral("text 1220,")), 0);  // one year: no earlier columns
    EXPECT_EQ(CountStarting(same, QStringLiteral("text 10,192 ")), 0);
    EXPECT_EQ(StatisticsPictureSize(t, in), QSize(1190, 10 * 48 + 26));  // cropped to its content

    t.LeftOut = QStringList{QStringLiteral("Cy"), QStringLiteral("Di")};
    in.from = QDate(2024, 12, 30);
    RecordingCanvas threeYears(kStatsSurfaceWidth, kStatsSurfaceHeight);
    DisplayStatistics(threeYears, t, in);
    EXPECT_TRUE(Has(threeYears, QStringLiteral("text 10,192 2 more names left out: the table holds 26 names")));
    EXPECT_EQ(CountStarting(threeYears, QStringLiteral("text 1220,")), 2);
    EXPECT_EQ(CountStarting(threeYears, QStringLiteral("text 2020,")), 2);
    EXPECT_EQ(StatisticsPictureSize(t, in).width(), 2410 + 105 + 10);

    // No names: headings, short bars and the shortage block on rows 4, 5 and 8.
    RecordingCanvas empty(kStatsSurfaceWidth, kStatsSurfaceHeight);
    DisplayStatistics(empty, StatsTables(), in);
    EXPECT_TRUE(Has(empty, QStringLiteral("line 185,22 185,48")));
    EXPECT_TRUE(Has(empty, QStringLiteral("text 350,192 STAFF SHORTAGES")));
    EXPECT_TRUE(Has(empty, QStringLiteral("text 220,384 0")));
}

}  // namespace
