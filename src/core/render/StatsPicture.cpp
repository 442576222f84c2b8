#include "render/StatsPicture.h"

#include "render/NonPrefChart.h"
#include "render/PainterCanvas.h"
#include "stats/StatsAnalysis.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace tavrola {

namespace {

// One face for everything: the layout's positions were made for narrow faces, and Arial
// (or the system's stand-in for it) keeps the headings and graphs apart.
const QString kFace = QStringLiteral("Arial");
const QString kLabelFace = kFace;
// Text heights are character heights: the layout's 18-, 12- and 10-pixel fonts measured
// the whole cell, about a tenth more than the characters.
constexpr int kRowPixels = 11;      // the surface's own font: 8 points
constexpr int kHeadingPixels = 16;
constexpr int kLetterPixels = 11;
constexpr int kYearPixels = 9;
// A row is high enough for a month of 31 days (31 pixels of bar) over the month initials
// of the row above.
constexpr int kRowStep = 48;
constexpr int kBarRoom = kRowStep - 14;

// The graph columns of one year slot: hours worked, days of holiday, days of illness,
// non-preferred working.
constexpr int kGraphX[kYearSlots][4] = {{220, 350, 480, 610}, {1220, 1350, 1480, 1610}, {2020, 2150, 2280, 2410}};
// Where a graph's total may start: after the frame bar, or after the graph before it.
constexpr int kTotalRoom = 26;
constexpr int kTrainingX = 750;
constexpr int kTrainingRight = 1180;  // before the year before's first total
constexpr int kGraphScale[4] = {12, 1, 1, 1};

Canvas::Font RowFont(Colour colour)
{
    Canvas::Font f;
    f.face = kFace;
    f.pixelHeight = kRowPixels;
    f.colour = colour;
    return f;
}

// Bar height of a month: the value to the nearest whole number (halves to even), then
// divided by the scale with the remainder dropped.
int BarHeight(float value, int scale)
{
    if (!(value > 0))
        return 0;
    const double rounded = std::min(std::nearbyint(double(value)), 1.0e6);
    return int(rounded) / std::max(scale, 1);
}

QString LeftOutText(qsizetype count)
{
    return QStringLiteral("%1 more %2 left out: the table holds %3 names")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("name") : QStringLiteral("names"))
        .arg(kStatNames);
}

}  // namespace

void DrawStatisticsPrompt(Canvas& canvas)
{
    ClearBitmap(canvas);
    DrawTextOnBitmap(canvas, QStringLiteral("Please enter your dates for analysis"), 10, 10, 0, kFace, kHeadingPixels,
                     kStatsGreen, White);
}

void DisplayYearGraph(Canvas& canvas, int x, int y, const MonthValues& values, int scale, int maxBar)
{
    const Canvas::Font savedFont = canvas.font();
    const Colour savedBrush = canvas.brush();

    Canvas::Font font = savedFont;
    font.face = kFace;
    font.pixelHeight = kLetterPixels;
    font.colour = kStatsBlue;
    canvas.setFont(font);
    canvas.setBrush(White);
    canvas.setPen(kStatsBlack, 2);
    // One size for all the initials: the one at which the widest keeps to its 8 pixels.
    ShrinkToFit(canvas, QStringLiteral("M"), 7);
    font = canvas.font();
    for (int m = 1; m <= kMonths; ++m) {
        // A bar stops short of the row above.
        const int h = std::min(BarHeight(values[m], scale), maxBar);
        const int barX = x + 8 * m + 3;
        if (h > 0)
            canvas.line(QPoint(barX, y + 2), QPoint(barX, y + 2 - h));
        canvas.textOut(x + 8 * m, y + 3, QString(MonthLetter(m)));
    }

    // The total, right-aligned before the base line, shrunk to the room left of the graph.
    float total = 0;
    for (int m = 1; m <= kMonths; ++m)
        total += values[m];
    font = savedFont;
    font.colour = kStatsBlack;
    canvas.setFont(font);
    const QString totalText = FloatToGeneral(double(total), 15);
    ShrinkToFit(canvas, totalText, kTotalRoom + 4);
    const int totalX = x + 5 - canvas.textWidth(totalText);
    canvas.textOut(totalX, y, totalText);

    // The total's underline and the bars' base line, over the bars' feet.
    canvas.setPen(kStatsSilver, 1);
    canvas.line(QPoint(std::min(totalX, x - 15), y + 12), QPoint(x + 5, y + 12));
    canvas.line(QPoint(x + 5, y + 12), QPoint(x + 5, y + 2));
    canvas.line(QPoint(x + 5, y + 2), QPoint(x + 105, y + 2));

    canvas.setPen(kStatsBlack, 1);
    canvas.setFont(savedFont);
    canvas.setBrush(savedBrush);
}

void DisplayStatistics(Canvas& canvas, const StatsTables& t, const StatsPictureInput& in)
{
    TraceLog(QStringLiteral("INTO DisplayStatistics"));
    const int toYear = in.to.year();
    const int years = toYear - in.from.year();
    const int n = int(t.StatNames.size());

    ClearBitmap(canvas);
    canvas.setFont(RowFont(kStatsGreen));
    canvas.setBrush(White);

    // Headings, each kept to its column: wrapped onto two lines, shrunk if need be. A
    // heading that would run up to the next one wraps, so two never read as one.
    constexpr int kHeadingGap = 20;
    struct Heading {
        int left, right;
        QString text;
        Colour colour;
    };
    const Heading headings[] = {
        {10, 120, in.ward, kStatsGreen},
        {130, 178, QStringLiteral("Hrs/wk"), kStatsGreen},
        {kGraphX[0][0] - kTotalRoom, kGraphX[0][1] - kTotalRoom - kHeadingGap, QStringLiteral("Total Hrs Worked"), kStatsBlue},
        {kGraphX[0][1] - kTotalRoom, kGraphX[0][2] - kTotalRoom - kHeadingGap, QStringLiteral("Total Days Hol"), kStatsBlue},
        {kGraphX[0][2] - kTotalRoom, kGraphX[0][3] - kTotalRoom - kHeadingGap, QStringLiteral("Total Days illness"), kStatsBlue},
        {kGraphX[0][3] - kTotalRoom, 716, QStringLiteral("Total Non Pref"), kStatsBlue},
    };
    for (const Heading& h : headings) {
        Canvas::Font f = RowFont(h.colour);
        f.pixelHeight = kHeadingPixels;
        canvas.setFont(f);
        const QStringList lines =
            WrapToFit(canvas, h.text.split(u' ', Qt::SkipEmptyParts), QStringLiteral(" "), h.right - h.left, 2 * 18);
        for (int i = 0; i < lines.size(); ++i)
            canvas.textOut(h.left, 3 + i * canvas.textHeight(lines[i]), lines[i]);
    }
    canvas.setFont(RowFont(kStatsGreen));

    // The bars that frame the To year's block, with the year down each.
    canvas.setPen(kStatsBlue, 8);
    const int barFoot = (n + 1) * kRowStep;
    canvas.line(QPoint(185, 22), QPoint(185, barFoot));
    canvas.line(QPoint(725, 22), QPoint(725, barFoot));
    canvas.setPen(kStatsBlue, 1);
    const QString year = QString::number(toYear);
    // The year's digits one under another down each bar, white on blue.
    for (const int x : {182, 722}) {
        Canvas::Font f = RowFont(White);
        f.face = kLabelFace;
        f.pixelHeight = kYearPixels;
        canvas.setFont(f);
        canvas.setBrush(kStatsBlue);
        int y = 20;
        for (const QChar digit : year) {
            canvas.textOut(x, y, QString(digit));
            y += canvas.textHeight(QString(digit));
        }
        canvas.setBrush(White);
    }
    canvas.setFont(RowFont(kStatsGreen));

    QString trace;
    for (int i = 0; i < n; ++i) {
        const int y = (i + 2) * kRowStep;
        {  // a long name on two lines
            const QStringList lines = WrapToFit(canvas, t.StatNames[i].split(u' ', Qt::SkipEmptyParts),
                                                QStringLiteral(" "), 110, 2 * (kRowPixels + 2));
            for (int k = 0; k < lines.size(); ++k)
                canvas.textOut(10, y + k * canvas.textHeight(lines[k]), lines[k]);
            canvas.setFont(RowFont(kStatsGreen));
        }
        FittedText(canvas, 135, y, FloatToGeneral(double(t.StatHrsPerWeek[i]), 15), 43);
        for (int slot = 0; slot < kYearSlots && slot <= years; ++slot) {
            const MonthValues* rows[4] = {&t.StatHoursWorked[i][slot], &t.StatDaysHoliday[i][slot],
                                          &t.StatDaysIllness[i][slot], &t.StatNonPref[i][slot]};
            for (int g = 0; g < 4; ++g)
                DisplayYearGraph(canvas, kGraphX[slot][g], y, *rows[g], kGraphScale[g], kBarRoom);
            if (slot == 0)
                FittedText(canvas, kTrainingX, y, QStringLiteral(" Training: ") + t.StatTraining[i],
                           kTrainingRight - kTrainingX, 14);
        }
        trace += QStringLiteral("[%1]>%2< ").arg(i).arg(t.StatNames[i]);
    }
    if (n > 0)
        TraceLog(trace);
    if (!t.LeftOut.isEmpty())
        canvas.textOut(10, (n + 2) * kRowStep, LeftOutText(t.LeftOut.size()));

    DrawTextOnBitmap(canvas, QStringLiteral("STAFF SHORTAGES"), kGraphX[0][1], (n + 4) * kRowStep, 0, kLabelFace,
                     kHeadingPixels, White, kStatsGreen);
    for (int k = 0; k < kYearSlots; ++k) {
        DrawTextOnBitmap(canvas, QString::number(toYear - k), kGraphX[0][k] + 45, (n + 5) * kRowStep, 0, kLabelFace,
                         kHeadingPixels, White, kStatsGreen);
        DisplayYearGraph(canvas, kGraphX[0][k], (n + 8) * kRowStep, t.StatShortages[k], 1, 3 * kRowStep - 30);
    }
    TraceLog(QStringLiteral("Names.Count") + QString::number(n));
}

QSize StatisticsPictureSize(const StatsTables& t, const StatsPictureInput& in)
{
    // To the last graph column the range reaches (the training notes stop before the
    // year before's), down to the shortage graphs' initials.
    const int years = in.to.year() - in.from.year();
    const int reached = std::clamp(years, 0, kYearSlots - 1);
    const int right = reached == 0 ? kTrainingRight : kGraphX[reached][3] + 105;
    const int n = int(t.StatNames.size());
    return QSize(right + 10, (n + 8) * kRowStep + 3 + kLetterPixels + 12);
}

namespace {

template <typename Draw>
QImage SurfaceImage(QSize size, Draw draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, image.width(), image.height());
    draw(canvas);
    painter.end();
    return image;
}

}  // namespace

QImage StatisticsImage(const StatsTables& tables, const StatsPictureInput& input)
{
    return SurfaceImage(StatisticsPictureSize(tables, input),
                        [&](Canvas& c) { DisplayStatistics(c, tables, input); });
}

QImage StatisticsPromptImage()
{
    return SurfaceImage(QSize(kStatsViewWidth, 60), [](Canvas& c) { DrawStatisticsPrompt(c); });
}

}  // namespace tavrola
