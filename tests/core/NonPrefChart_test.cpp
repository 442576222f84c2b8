#include "TestWard.h"
#include "render/NonPrefChart.h"
#include "render/RecordingCanvas.h"
#include "settings/DutyText.h"
#include "util/TraceLog.h"
#include "document/HistoryStep.h"
#include "weeks/HistoryScan.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;

static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// A grid of named lines and a scan result to chart against it.
struct Chart {
    WardModel model;
    HistoryScan scan;

    explicit Chart(int namedLines) { test::SetUpTestWard(model, namedLines); }

    void listed(const QString& name, qint32 nonPref, float adj = 0)
    {
        scan.HistoryNames.append(name);
        scan.NonPrefShifts[scan.HistoryNames.size() - 1] = nonPref;
        scan.NameAdjHours[scan.HistoryNames.size() - 1] = adj;
    }
    const QString& hoursSet(int line) const { return model.Week.data().HoursSet[line]; }
};

int heightOf(const NonPrefChart& chart, int line)
{
    for (const NonPrefBar& bar : chart.Bars)
        if (bar.line == line)
            return bar.height;
    return 0;
}

}  // namespace

TEST(NonPrefChart, BarsScaleToTheLargestCountOnTheGrid)
{
    Chart c(3);
    c.listed("Nurse 1", 3);
    c.listed("NURSE 2", 10);
    c.listed("", 50);  // the empty name never draws and never sets the scale
    NonPrefChart chart = ComputeNonPrefChart(c.model.Week.data(), c.scan);
    EXPECT_EQ(chart.NormFactor, 1.0f);
    EXPECT_EQ(heightOf(chart, 1), 3);
    EXPECT_EQ(heightOf(chart, 2), 10);
    EXPECT_EQ(chart.Bars.size(), 2u);

    Chart big(3);
    big.listed("Nurse 1", 34);
    big.listed("Nurse 2", 17);
    big.listed("Nurse 3", 0);
    chart = ComputeNonPrefChart(big.model.Week.data(), big.scan);
    EXPECT_EQ(chart.MaxNonPref, 34);
    EXPECT_EQ(chart.NormFactor, 0.5f);
    EXPECT_EQ(heightOf(chart, 1), 17);
    EXPECT_EQ(heightOf(chart, 2), 8);  // 8.5 goes to the even neighbour
    EXPECT_EQ(chart.Bars.size(), 2u);  // a count of 0 draws no bar

    EXPECT_EQ(NonPrefBarHeight(3, 0.5f), 2);  // 1.5 up to 2
    EXPECT_EQ(NonPrefBarHeight(5, 0.5f), 2);  // 2.5 down to 2
    EXPECT_EQ(NonPrefBarHeight(7, float(17.0L / 51)), 2);
}

TEST(NonPrefChart, EveryGridLineFindsItsNameWhereverItIsListed)
{
    Chart c(7);
    c.listed("Nurse 7", 4);
    c.listed("", 0);
    c.listed("Somebody gone", 9);
    const NonPrefChart chart = ComputeNonPrefChart(c.model.Week.data(), c.scan);
    ASSERT_EQ(chart.Bars.size(), 1u);
    EXPECT_EQ(chart.Bars[0].line, 7);
    EXPECT_EQ(chart.Bars[0].bottom, 6 * kGridLineStep + kGridEditHeight - 1);
    EXPECT_EQ(chart.MaxNonPref, 4);  // only names on the grid set the scale
}

TEST(NonPrefChart, CarriedOverHoursFollowTheContractedHours)
{
    Chart c(4);
    c.model.Week.setText(BoxRef::hoursSet(3), "3..5");
    c.listed("Nurse 1", 0, 2.5f);
    c.listed("Nurse 2", 0, -3.0f);
    c.listed("Nurse 3", 0, 1.0f);
    WriteCarriedOverHours(c.model.Week, c.scan);
    EXPECT_EQ(c.hoursSet(1), "37.5+2.5");
    EXPECT_EQ(c.hoursSet(2), "37.5 -3");
    EXPECT_EQ(c.hoursSet(3), "3..5");  // no contracted number to add to
    EXPECT_EQ(c.hoursSet(4), "37.5");  // not listed: untouched
    EXPECT_EQ(HoursSetValue(c.hoursSet(1), false), 40.0f);
    EXPECT_EQ(HoursSetValue(c.hoursSet(2), false), 34.5f);

    // A box that shows an adjustment keeps its first number and takes the new one.
    c.scan.NameAdjHours[0] = -1.25f;
    c.scan.NameAdjHours[1] = 0.0f;
    WriteCarriedOverHours(c.model.Week, c.scan);
    EXPECT_EQ(c.hoursSet(1), "37.5 -1.25");
    EXPECT_EQ(c.hoursSet(2), "37.5");

    // Odd single values are written so the box reads back exactly, never with an exponent.
    const float tiny = 7.3f - 7.2999997f;
    c.scan.NameAdjHours[0] = tiny;
    c.scan.NameAdjHours[1] = 7.3f;
    WriteCarriedOverHours(c.model.Week, c.scan);
    EXPECT_FALSE(c.hoursSet(1).contains(u'e') || c.hoursSet(1).contains(u'E')) << c.hoursSet(1).toStdString();
    EXPECT_EQ(HoursSetValue(c.hoursSet(1), false), 37.5f + tiny);
    EXPECT_EQ(c.hoursSet(2), "37.5+7.3");
}

TEST(NonPrefChart, DrawsEachBarAsItsFourCorners)
{
    Chart c(2);
    c.listed("Nurse 1", 3);
    c.listed("Nurse 2", 10);
    const NonPrefChart chart = ComputeNonPrefChart(c.model.Week.data(), c.scan);

    RecordingCanvas box(kNonPrefBoxWidth, kNonPrefBoxHeight);
    DrawNonPrefChart(box, chart);
    const QStringList expected{
        "brush ffffff", "fill 0,0 9x601", "pen 000000 1", "brush 0000ff",
        "polygon 6,20 6,17 1,17 1,20",  // line 1: foot on the name box's bottom edge
        "polygon 6,44 6,34 1,34 1,44",  // line 2, 24 pixels lower
    };
    EXPECT_EQ(box.calls, expected);

    // The bars are kept: a repaint draws the same again.
    RecordingCanvas repaint(kNonPrefBoxWidth, kNonPrefBoxHeight);
    DrawNonPrefChart(repaint, chart);
    EXPECT_EQ(repaint.calls, expected);

    RecordingCanvas empty(kNonPrefBoxWidth, kNonPrefBoxHeight);
    DrawNonPrefChart(empty, NonPrefChart());
    EXPECT_EQ(empty.calls.filter("polygon").size(), 0);
    EXPECT_EQ(empty.calls.first(2), (QStringList{"brush ffffff", "fill 0,0 9x601"}));
}

TEST(NonPrefChart, TracesScaleAndEntries)
{
    Chart c(1);
    c.listed("Nurse 1", 34, 2.5f);
    c.listed("", 0, 0.0f);
    QTemporaryDir dir;
    const QString path = OpenTraceLog(dir.path());
    TraceNonPrefChart(ComputeNonPrefChart(c.model.Week.data(), c.scan), c.scan);
    CloseTraceLog();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text, QStringLiteral("\n\r\n\rIN NonPrefGraphics\r\n"
                                   "NormFactor:0.50 MaxBar:17 MaxNonPref:34\r\n"
                                   "             Nurse 1 NonPrefShifts[i]: 34 NameAdjHours[i]:2.50\r\n"
                                   "                     NonPrefShifts[i]:  0 NameAdjHours[i]:0.00\r\n"));
}

TEST(NonPrefChart, DrawTextOnBitmapStacksLettersAndRestoresTheCanvas)
{
    RecordingCanvas bitmap(200, 100);
    Canvas::Font before;
    before.face = "Serif";
    before.pixelHeight = 30;
    before.bold = true;
    before.colour = 0x123456;
    bitmap.setFont(before);
    bitmap.setBrush(0x00FF00);
    bitmap.calls.clear();

    DrawTextOnBitmap(bitmap, "ABC", 10, 20, 90, "Arial", 12, 0x0000FF, 0xFFFFFF);
    // "ABC" is 18 pixels wide at height 12; the letters fall 2 x 18 / 3 = 12 apart.
    EXPECT_EQ(bitmap.calls.filter("text "), (QStringList{"text 10,20 A", "text 10,32 B", "text 10,44 C"}));
    EXPECT_TRUE(bitmap.calls.contains("font Arial 12 bold angle 0 0000ff")) << bitmap.calls.join('\n').toStdString();
    EXPECT_TRUE(bitmap.calls.contains("brush ffffff"));
    EXPECT_EQ(bitmap.font(), before);
    EXPECT_EQ(bitmap.brush(), 0x00FF00u);

    bitmap.calls.clear();
    DrawTextOnBitmap(bitmap, "Jan", 5, 6, 0, "Arial", 10, 0, 0xFFFFFF);
    EXPECT_EQ(bitmap.calls.filter("text "), (QStringList{"text 5,6 Jan"}));
    EXPECT_EQ(bitmap.font(), before);

    ClearBitmap(bitmap);
    EXPECT_EQ(bitmap.calls.last(), "fill 0,0 200x100");
    EXPECT_EQ(bitmap.brush(), White);
}
