#include "print/LandscapePrint.h"

#include "print/PrintMeasures.h"
#include "render/Canvas.h"
#include "util/Locale.h"
#include "util/TraceLog.h"
#include "settings/WardSettings.h"

namespace tavrola {

namespace {
const QString kTwoDashes = QStringLiteral("--");
}  // namespace

int LandscapeLineSpace(int pageHeight)
{
    return RoundHalfEven(pageHeight * 0.02);
}

std::vector<PlacedText> LayOutBreachList(Canvas& canvas, const std::vector<PrintBreach>& breaches, int left,
                                         int right, int top, int bottom)
{
    std::vector<PlacedText> placed;
    canvas.setFontSize(8, true);
    const QString heading = QStringLiteral("Working-time rules broken:");
    const int headingWidth = canvas.textWidth(heading);
    canvas.setFontSize(8);
    const int rowHeight = canvas.textHeight(heading);
    const int pitch = rowHeight + rowHeight / 4;
    const int gap = canvas.textWidth(QStringLiteral("    "));
    if (top + rowHeight > bottom)
        return placed;
    placed.push_back({left, top, heading, true});
    int x = left + headingWidth + gap, y = top;

    // Puts `text` after the last text placed, or at the start of the next row; false when
    // it would end below `bottom`.
    auto place = [&](const QString& text) {
        const int width = canvas.textWidth(text);
        int nx = x, ny = y;
        if (nx > left && nx + width > right) {
            nx = left;
            ny += pitch;
        }
        if (ny + rowHeight > bottom)
            return false;
        placed.push_back({nx, ny, text, false});
        x = nx + width + gap;
        y = ny;
        return true;
    };
    const int total = int(breaches.size());
    int shown = 0;
    while (shown < total) {
        const PrintBreach& b = breaches[size_t(shown)];
        if (!place(QStringLiteral("%1 \u2013 %2, %3").arg(b.rule, b.name, QString(DayName(b.day)))))
            break;
        ++shown;
    }
    // What did not fit is counted instead, in place of as many entries as that takes.
    while (shown < total) {
        const PlacedText& last = placed.back();
        x = last.x + (last.bold ? headingWidth : canvas.textWidth(last.text)) + gap;
        y = last.y;
        if (place(QStringLiteral("and %1 more").arg(total - shown)) || shown == 0)
            break;
        placed.pop_back();
        --shown;
    }
    return placed;
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

    if (sheet.Breaches.empty())
        return;
    // Under the closing rule, above the footer and the signature line.
    canvas.setFontSize(12);
    const int bottom = height - l.RowSpacing - canvas.textHeight(sheet.Signature) / 2;
    const int listTop = l.bottomRule() + 2 * l.RuleOffset;
    const std::vector<PlacedText> list = LayOutBreachList(canvas, sheet.Breaches, x[0], x[10], listTop, bottom);
    for (const PlacedText& t : list) {
        canvas.setFontSize(8, t.bold);
        canvas.textOut(t.x, t.y, t.text);
    }
}

}  // namespace tavrola
