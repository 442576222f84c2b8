#include "render/NonPrefChart.h"

#include "util/TextUtil.h"
#include "util/TraceLog.h"
#include "weeks/HistoryScan.h"

#include <algorithm>
#include <cmath>

namespace tavrola {

namespace {

QString Fixed(float value, int width, int decimals)
{
    return QString::number(double(value), 'f', decimals).rightJustified(width);
}

// The text's characters for stacking, a surrogate pair kept as one.
QStringList Letters(const QString& text)
{
    QStringList letters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            letters += text.mid(i, 2);
            ++i;
        } else {
            letters += QString(text[i]);
        }
    }
    return letters;
}

}  // namespace

int NonPrefBarHeight(qint32 count, float normFactor)
{
    // The product in extended precision, as the chart was always scaled: 17 shifts at
    // half scale is 8.5 and goes to the even 8.
    const long double h = std::nearbyint(static_cast<long double>(count) * normFactor);
    return int(std::clamp<long double>(h, -kNonPrefMaxBar, kNonPrefMaxBar));
}

NonPrefChart ComputeNonPrefChart(const WeekData& w, const HistoryScan& scan)
{
    NonPrefChart chart;

    // The history entry of each grid line; -1 for an empty or unlisted name. Every line
    // is looked up, wherever its name stands in the list.
    int entry[kLines + 1];
    for (int line = 1; line <= kLines; ++line) {
        const QString& name = w.Names[line];
        const int k = name.isEmpty() ? -1 : scan.IndexOf(name);
        entry[line] = k >= 0 && k < kHistoryCapacity ? k : -1;
        if (entry[line] >= 0)
            chart.MaxNonPref = std::max(chart.MaxNonPref, scan.NonPrefShifts[k]);
    }
    if (chart.MaxNonPref > kNonPrefMaxBar)
        chart.NormFactor = float(static_cast<long double>(kNonPrefMaxBar) / chart.MaxNonPref);

    for (int line = 1; line <= kLines; ++line) {
        const int k = entry[line];
        if (k < 0)
            continue;
        const qint32 count = scan.NonPrefShifts[k];
        if (count != 0) {
            NonPrefBar bar;
            bar.line = line;
            bar.count = count;
            bar.height = NonPrefBarHeight(count, chart.NormFactor);
            bar.bottom = (GridLineTop(line) - GridLineTop(1)) + kGridEditHeight - 1;
            chart.Bars.push_back(bar);
        }
    }
    return chart;
}

void TraceNonPrefChart(const NonPrefChart& chart, const HistoryScan& scan)
{
    TraceLog(QStringLiteral("\n\r\n\rIN NonPrefGraphics"));
    TraceLog(QStringLiteral("NormFactor:") + Fixed(chart.NormFactor, 3, 2) + QStringLiteral(" MaxBar:") +
             IntToText(kNonPrefMaxBar) + QStringLiteral(" MaxNonPref:") + IntToText(chart.MaxNonPref));
    const int listed = std::min<int>(kLines, int(scan.HistoryNames.size()));
    for (int j = 0; j < listed; ++j)
        TraceLog(scan.HistoryNames[j].rightJustified(20) + QStringLiteral(" NonPrefShifts[i]:") +
                 IntToText(scan.NonPrefShifts[j]).rightJustified(3) + QStringLiteral(" NameAdjHours[i]:") +
                 Fixed(scan.NameAdjHours[j], 4, 2));
}

QVector<QPoint> NonPrefBarCorners(const NonPrefBar& bar, int boxWidth)
{
    const int top = bar.bottom - bar.height;
    return {QPoint(boxWidth - 3, bar.bottom), QPoint(boxWidth - 3, top), QPoint(1, top), QPoint(1, bar.bottom)};
}

void DrawNonPrefChart(Canvas& canvas, const NonPrefChart& chart)
{
    ClearPaintBox(canvas);
    canvas.setPen(kNonPrefOutline, 1);
    canvas.setBrush(kNonPrefBarColour);
    for (const NonPrefBar& bar : chart.Bars)
        canvas.polygon(NonPrefBarCorners(bar, canvas.width()));
}

void ClearPaintBox(Canvas& canvas)
{
    canvas.setBrush(White);
    canvas.fillRect(QRect(0, 0, canvas.width(), canvas.height()));
}

void ClearBitmap(Canvas& canvas)
{
    ClearPaintBox(canvas);
}

void DrawTextOnBitmap(Canvas& canvas, const QString& text, int x, int y, int angle, const QString& face,
                      int pixelHeight, Colour textColour, Colour backgroundColour)
{
    const Canvas::Font savedFont = canvas.font();
    const Colour savedBrush = canvas.brush();

    Canvas::Font font = savedFont;
    font.face = face;
    font.pixelHeight = pixelHeight;
    font.colour = textColour;
    font.angle = angle == 90 ? 0 : angle;  // stacked letters stand upright
    canvas.setFont(font);
    canvas.setBrush(backgroundColour);

    if (angle == 90) {
        const QStringList letters = Letters(text);
        const qint64 n = letters.size();
        const qint64 width = canvas.textWidth(text);
        for (qint64 i = 0; i < n; ++i)
            canvas.textOut(x, y + int((i * 2 * width) / n), letters[int(i)]);
    } else {
        canvas.textOut(x, y, text);
    }

    canvas.setFont(savedFont);
    canvas.setBrush(savedBrush);
}

}  // namespace tavrola
