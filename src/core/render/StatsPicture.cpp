#include "render/StatsPicture.h"

#include "render/NonPrefChart.h"
#include "render/PainterCanvas.h"
#include "stats/StatsAnalysis.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"

#include <QPainter>
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
constexpr int kRowStep = 25;

// The graph columns of one year slot: hours worked, days of holiday, days of illness,
// non-preferred working.
constexpr int kGraphX[kYearSlots][4] = {{210, 340, 470, 600}, {1210, 1340, 1470, 1600}, {2010, 2140, 2270, 2400}};
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

void DisplayYearGraph(Canvas& canvas, int x, int y, const MonthValues& values, int scale)
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
    for (int m = 1; m <= kMonths; ++m) {
        const int h = BarHeight(values[m], scale);
        const int barX = x + 8 * m + 3;
        if (h > 0)
            canvas.line(QPoint(barX, y + 2), QPoint(barX, y + 2 - h));
        canvas.textOut(x + 8 * m, y + 3, QString(MonthLetter(m)));
    }

    // The total after the month initials, so that a long one stays whole.
    float total = 0;
    for (int m = 1; m <= kMonths; ++m)
        total += values[m];
    font = savedFont;
    font.colour = kStatsBlack;
    canvas.setFont(font);
    canvas.textOut(total > 999 ? x - 20 : x - 15, y, FloatToGeneral(double(total), 15));

    // The total's underline and the bars' base line, over the bars' feet.
    canvas.setPen(kStatsSilver, 1);
    canvas.line(QPoint(x - 15, y + 12), QPoint(x + 5, y + 12));
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

    struct Heading {
        int x;
        QString text;
        Colour colour;
    };
    const Heading headings[] = {
        {10, in.ward, kStatsGreen},
        {125, QStringLiteral("  Hrs/wk"), kStatsGreen},
        {200, QStringLiteral("  Total Hrs Worked"), kStatsBlue},
        {330, QStringLiteral("  Total Days Hol"), kStatsBlue},
        {460, QStringLiteral("  Total Days illness"), kStatsBlue},
        {590, QStringLiteral("  Total Non Pref"), kStatsBlue},
    };
    // Right to left: each heading's tail may run into the blanks that lead the next.
    for (auto h = std::rbegin(headings); h != std::rend(headings); ++h)
        DrawTextOnBitmap(canvas, h->text, h->x, 3, 0, kFace, kHeadingPixels, h->colour, White);

    // The bars that frame the To year's block, with the year down each.
    canvas.setPen(kStatsBlue, 8);
    const int barFoot = (n + 1) * kRowStep;
    canvas.line(QPoint(185, 22), QPoint(185, barFoot));
    canvas.line(QPoint(725, 22), QPoint(725, barFoot));
    canvas.setPen(kStatsBlue, 1);
    const QString year = QString::number(toYear);
    DrawTextOnBitmap(canvas, year, 182, 20, 90, kLabelFace, kYearPixels, White, kStatsBlue);
    DrawTextOnBitmap(canvas, year, 722, 20, 90, kLabelFace, kYearPixels, White, kStatsBlue);

    QString trace;
    for (int i = 0; i < n; ++i) {
        const int y = (i + 2) * kRowStep;
        canvas.textOut(10, y, t.StatNames[i]);
        canvas.textOut(135, y, FloatToGeneral(double(t.StatHrsPerWeek[i]), 15));
        for (int slot = 0; slot < kYearSlots && slot <= years; ++slot) {
            const MonthValues* rows[4] = {&t.StatHoursWorked[i][slot], &t.StatDaysHoliday[i][slot],
                                          &t.StatDaysIllness[i][slot], &t.StatNonPref[i][slot]};
            for (int g = 0; g < 4; ++g)
                DisplayYearGraph(canvas, kGraphX[slot][g], y, *rows[g], kGraphScale[g]);
            if (slot == 0)
                canvas.textOut(750, y, QStringLiteral(" Training: ") + t.StatTraining[i]);
        }
        trace += QStringLiteral("[%1]>%2< ").arg(i).arg(t.StatNames[i]);
    }
    if (n > 0)
        TraceLog(trace);
    if (!t.LeftOut.isEmpty())
        canvas.textOut(10, (n + 2) * kRowStep, LeftOutText(t.LeftOut.size()));

    DrawTextOnBitmap(canvas, QStringLiteral("STAFF SHORTAGES"), 340, (n + 4) * kRowStep, 0, kLabelFace,
                     kHeadingPixels, White, kStatsGreen);
    for (int k = 0; k < kYearSlots; ++k) {
        DrawTextOnBitmap(canvas, QString::number(toYear - k), 255 + 130 * k, (n + 5) * kRowStep, 0, kLabelFace,
                         kHeadingPixels, White, kStatsGreen);
        DisplayYearGraph(canvas, 210 + 130 * k, (n + 8) * kRowStep, t.StatShortages[k], 1);
    }
    TraceLog(QStringLiteral("Names.Count") + QString::number(n));
}

QSize StatisticsPictureSize(const StatsTables&, const StatsPictureInput&)
{
    return QSize(kStatsSurfaceWidth, kStatsSurfaceHeight);
}

namespace {

template <typename Draw>
QImage SurfaceImage(Draw draw)
{
    QImage image(kStatsSurfaceWidth, kStatsSurfaceHeight, QImage::Format_RGB32);
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
    return SurfaceImage([&](Canvas& c) { DisplayStatistics(c, tables, input); });
}

QImage StatisticsPromptImage()
{
    return SurfaceImage([](Canvas& c) { DrawStatisticsPrompt(c); });
}

}  // namespace tavrola
