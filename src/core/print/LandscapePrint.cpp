#include "print/LandscapePrint.h"

#include "print/PrintMeasures.h"
#include "render/Canvas.h"
#include "util/Locale.h"
#include "util/TraceLog.h"

namespace tavrola {

namespace {
const QString kTwoDashes = QStringLiteral("--");
}  // namespace

int LandscapeLineSpace(int pageHeight)
{
    return RoundHalfEven(pageHeight * 0.02);
}

LandscapeLayout ComputeLandscapeLayout(Canvas& canvas, const PrintSheet& sheet)
{
    LandscapeLayout l;
    l.LineSpace = LandscapeLineSpace(canvas.height());
    l.RowSpacing = RoundHalfEven(l.LineSpace * 1.5);
    canvas.setFontSize(12);
    l.Margin = canvas.textWidth(QStringLiteral("___"));
    canvas.setFontSize(10);
    l.RuleOffset = canvas.textWidth(QStringLiteral("TH")) / 3;
    l.Dash = canvas.textWidth(QStringLiteral("-"));
    l.NameColumnWidth = WidestDashed(canvas, sheet.Week.Names, 1, kLines);
    l.Xtab[0] = canvas.textWidth(kTwoDashes);
    l.Xtab[1] = l.Xtab[0] + l.NameColumnWidth;
    l.Xtab[2] = l.Xtab[1] + canvas.textWidth(QStringLiteral(", HRS ,"));
    const int dayWidth = canvas.textWidth(QStringLiteral("-WEDNESDAY-"));
    for (int k = 1; k <= 7; ++k)
        l.Xtab[2 + k] = l.Xtab[2] + k * dayWidth;
    l.Xtab[10] = canvas.width() - canvas.textWidth(kTwoDashes);
    l.Lines = LinesUsed(sheet.Week);
    return l;
}

void DrawLandscapePrint(Canvas& canvas, const PrintSheet& sheet)
{
    const int width = canvas.width();
    const int height = canvas.height();
    const LandscapeLayout l = ComputeLandscapeLayout(canvas, sheet);
    const int* x = l.Xtab;

    canvas.setFontSize(12);
    auto pageCentred = [&](const QString& text, int y) {
        canvas.textOut(width / 2 - canvas.textWidth(text) / 2, y, text);
    };
    pageCentred(sheet.Hospital, 2 * l.LineSpace);
    pageCentred(sheet.RotaTitle, 3 * l.LineSpace);
    canvas.textOut(l.Margin, 6 * l.LineSpace,
                   sheet.WeekCommencing + QStringLiteral("   ") + LongDateText(sheet.WeekDate));
    pageCentred(sheet.Ward, 6 * l.LineSpace);

    canvas.setFontSize(10);
    // A holiday's name starts where its day's heading starts.
    const int holidayY = RoundHalfEven(l.LineSpace * 7.5);
    for (int day = 1; day <= kDays; ++day) {
        const int centre = (x[day + 2] - x[day + 1]) / 2 + x[day + 1];
        canvas.textOut(centre - canvas.textWidth(sheet.DayHeadings[day]) / 2, holidayY, sheet.Holidays[day]);
    }
    const int top = l.top();
    canvas.textOut(CentredX(canvas, sheet.NameHeading, x[0], x[1]), top, sheet.NameHeading);
    canvas.textOut(CentredX(canvas, sheet.HoursHeading, x[1], x[2]), top, sheet.HoursHeading);
    for (int day = 1; day <= kDays; ++day)
        canvas.textOut(CentredX(canvas, sheet.DayHeadings[day], x[day + 1], x[day + 2]), top,
                       sheet.DayHeadings[day]);
    canvas.textOut(CentredX(canvas, sheet.NotesHeading, x[9], x[10]), top, sheet.NotesHeading);

    // Each day's date, right-aligned in its column above the heading.
    canvas.setFontSize(8);
    if (sheet.WeekDate.isValid()) {
        const int datesY = RoundHalfEven(l.LineSpace * 8.6);
        for (int k = 0; k < kDays; ++k) {
            const QString day = QString::number(sheet.WeekDate.addDays(k).day());
            canvas.textOut(x[3 + k] - canvas.textWidth(day), datesY, day);
        }
    }

    canvas.setFontSize(10);
    canvas.setPen(0x000000, RulePenWidth(canvas.dpi()));
    auto rule = [&](int y) { canvas.line(QPoint(x[0], y), QPoint(x[10], y)); };
    rule(top - l.RuleOffset);
    const WeekData& w = sheet.Week;
    for (int r = 1; r <= l.Lines; ++r) {
        const int y = l.rowY(r);
        rule(y - l.RuleOffset);
        canvas.textOut(x[0] + l.Dash, y, w.Names[r]);
        canvas.textOut(x[1] + l.Dash, y, w.HoursWorked[r]);
        for (int day = 1; day <= kDays; ++day)
            canvas.textOut(x[day + 1] + l.Dash, y, w.Cells[day][r]);
        canvas.textOut(x[9] + l.Dash, y, w.Notes[r]);
    }
    rule(l.bottomRule());

    canvas.setFontSize(8);
    canvas.textOut(l.Margin, height - l.RowSpacing, sheet.Footer);
    canvas.setFontSize(12);
    canvas.textOut(width - canvas.textWidth(sheet.Signature) - l.Margin, height - l.RowSpacing, sheet.Signature);

    for (int i = 0; i <= 10; ++i) {
        TraceLog(QStringLiteral("Xtab[%1]%2").arg(i).arg(x[i]));
        canvas.line(QPoint(x[i], top - l.RuleOffset), QPoint(x[i], l.bottomRule()));
    }
}

}  // namespace tavrola
