#pragma once
#include "render/Canvas.h"
#include "stats/StatsTables.h"

#include <QImage>

namespace tavrola {

// The statistics picture is drawn whole on a surface three times the window's view of it.
inline constexpr int kStatsViewWidth = 865;
inline constexpr int kStatsViewHeight = 369;
inline constexpr int kStatsSurfaceWidth = 3 * kStatsViewWidth;    // 2595
inline constexpr int kStatsSurfaceHeight = 3 * kStatsViewHeight;  // 1107

inline constexpr Colour kStatsGreen = 0x008000;
inline constexpr Colour kStatsBlue = 0xFF0000;    // 0x00BBGGRR
inline constexpr Colour kStatsSilver = 0xC0C0C0;
inline constexpr Colour kStatsBlack = 0x000000;

// What the picture shows besides the tables.
struct StatsPictureInput {
    QString ward;
    QDate from, to;
};

// The surface before any analysis: white with the prompt for dates.
void DrawStatisticsPrompt(Canvas& canvas);

// One twelve-month graph at (x, y): the total of months 1..12 written left of the graph
// (20 pixels left above 999, else 15), a bar per month of value rounded (halves to even)
// and divided by `scale` pixels, the month initials under the bars and a silver base
// line. The canvas's font and brush are put back; the pen is left black, 1 pixel.
// A bar is at most `maxBar` pixels high.
void DisplayYearGraph(Canvas& canvas, int x, int y, const MonthValues& values, int scale, int maxBar = 1 << 20);

// The whole picture: headings, the framing bars and year labels of the To year, a row per
// name (contracted hours, the four graphs of the To year, the training notes, and the
// graphs of the earlier year slots the range reaches), a line saying how many names were
// left out, and the ward's shortage graphs for three years.
void DisplayStatistics(Canvas& canvas, const StatsTables& tables, const StatsPictureInput& input);

// The size the whole picture takes: its content and a small margin.
QSize StatisticsPictureSize(const StatsTables& tables, const StatsPictureInput& input);

// The picture on an image of the surface's size. Needs a QGuiApplication (fonts).
QImage StatisticsImage(const StatsTables& tables, const StatsPictureInput& input);
QImage StatisticsPromptImage();

}  // namespace tavrola
