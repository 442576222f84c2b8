#pragma once
#include "render/Canvas.h"
#include "roster/Colours.h"
#include "roster/GridGeometry.h"
#include "roster/WeekData.h"

#include <QPoint>
#include <QString>
#include <QVector>
#include <vector>

namespace tavrola {

struct HistoryScan;

// The paint box beside the names and the name boxes it lines up with.
inline constexpr int kNonPrefBoxLeft = 96;
inline constexpr int kNonPrefBoxTop = kGridTopLine;  // level with the first name box
inline constexpr int kNonPrefBoxWidth = 9;
inline constexpr int kNonPrefBoxHeight = 601;
inline constexpr int kNonPrefMaxBar = 17;      // the tallest bar, in pixels

inline constexpr Colour kNonPrefBarColour = 0x0000FF;  // red
inline constexpr Colour kNonPrefOutline = 0x000000;

struct NonPrefBar {
    int line = 0;       // grid line 1..25
    qint32 count = 0;   // non-preferred shifts of the person on that line
    int height = 0;     // pixels
    int bottom = 0;     // paint-box y of the bar's foot: the bottom edge of the name box
};

// The bars of one chart, kept so the window can paint them again at any time.
struct NonPrefChart {
    qint32 MaxNonPref = 0;
    float NormFactor = 1.0f;
    std::vector<NonPrefBar> Bars;  // grid line order; lines without a bar are left out
};

// Works out the bars from the names on the grid and the last scan; changes nothing.
// The largest count on the grid gets the full 17 pixels when it is above 17; up to 17,
// one pixel is one shift.
NonPrefChart ComputeNonPrefChart(const WeekData& week, const HistoryScan& scan);

// Writes the chart's scale and the scan's entries to the trace log.
void TraceNonPrefChart(const NonPrefChart& chart, const HistoryScan& scan);

// Height of a bar: count times the scale, to the nearest pixel, halves to even.
int NonPrefBarHeight(qint32 count, float normFactor);

// The four corners of a bar on a paint box of the given width.
QVector<QPoint> NonPrefBarCorners(const NonPrefBar& bar, int boxWidth = kNonPrefBoxWidth);

// Clears the paint box and draws the bars: red, outlined in black one pixel wide.
void DrawNonPrefChart(Canvas& canvas, const NonPrefChart& chart);

// Fill the whole canvas white (the brush stays white).
void ClearPaintBox(Canvas& canvas);
void ClearBitmap(Canvas& canvas);

// Writes `text` with its top-left corner at (x, y) in the given face, pixel height and
// colours. At angle 90 the letters stand upright one under another, spread over twice
// the text's width; any other angle turns the text by that many degrees. The canvas's
// font and brush are put back afterwards.
void DrawTextOnBitmap(Canvas& canvas, const QString& text, int x, int y, int angle, const QString& face,
                      int pixelHeight, Colour textColour, Colour backgroundColour);

}  // namespace tavrola
