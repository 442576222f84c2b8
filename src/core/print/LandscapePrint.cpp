#include "print/LandscapePrint.h"

#include "print/PrintMeasures.h"
#include "render/Canvas.h"
#include "util/Locale.h"
#include "util/TraceLog.h"
#include "settings/WardSettings.h"

#include <QStringList>
#include <algorithm>

namespace tavrola {

namespace {
const QString kTwoDashes = QStringLiteral("--");
}  // namespace

int LandscapeLineSpace(int pageHeight)
{
    return RoundHalfEven(pageHeight * 0.02);
}

std::vector<PlacedText> LayOutTextList(Canvas& canvas, const QString& heading, const QStringList& items, int left,
                                       int right, int top, int bottom, const QString& gapText)
{
    std::vector<PlacedText> placed;
    canvas.setFontSize(8, true);
    const int headingWidth = canvas.textWidth(heading);
    canvas.setFontSize(8);
    const int rowHeight = canvas.textHeight(heading);
    const int pitch = rowHeight + rowHeight / 4;
    const int gap = canvas.textWidth(gapText);
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
    const int total = int(items.size());
    int shown = 0;
    while (shown < total && place(items[shown]))
        ++shown;
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

std::vector<PlacedText> LayOutBreachList(Canvas& canvas, const std::vector<PrintBreach>& breaches, int left,
                                         int right, int top, int bottom)
{
    QStringList items;
    for (const PrintBreach& b : breaches)
        items += QStringLiteral("%1 \u2013 %2, %3").arg(b.rule, b.name, QString(DayName(b.day)));
    return LayOutTextList(canvas, QStringLiteral("Working-time rules broken:"), items, left, right, top, bottom,
                          QStringLiteral("    "));
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
    // The names' column is at least as wide as its heading.
    l.Xtab[1] = l.Xtab[0] + std::max(l.NameColumnWidth, canvas.textWidth(QStringLiteral("-") + sheet.NameHeading + QStringLiteral("-")));
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

    // Titles: each line below the one above it, shrunk to the page between the margins.
    canvas.setFontSize(12);
    const int titleRoom = width - 2 * l.Margin;
    int nextY = 0;
    auto pageCentred = [&](const QString& text, int y) {
        const Canvas::Font saved = canvas.font();
        ShrinkToFit(canvas, text, titleRoom);
        y = std::max(y, nextY);
        canvas.textOut(width / 2 - canvas.textWidth(text) / 2, y, text);
        nextY = y + canvas.textHeight(text);
        canvas.setFont(saved);
        return y;
    };
    pageCentred(sheet.Hospital, 2 * l.LineSpace);
    pageCentred(sheet.RotaTitle, 3 * l.LineSpace);
    // The week at the left; the ward centred on the same line, or after the week with
    // three blanks between them when the week reaches the centre.
    const QString weekText = sheet.WeekCommencing + QStringLiteral("   ") + LongDateText(sheet.WeekDate);
    const int weekY = std::max(6 * l.LineSpace, nextY);
    const int gap = canvas.textWidth(QStringLiteral("   "));
    FittedText(canvas, l.Margin, weekY, weekText, titleRoom);
    {
        const Canvas::Font saved = canvas.font();
        ShrinkToFit(canvas, weekText, titleRoom);
        const int weekRight = l.Margin + canvas.textWidth(weekText) + gap;
        canvas.setFont(saved);
        const int wardX = std::max(width / 2 - canvas.textWidth(sheet.Ward) / 2, weekRight);
        FittedText(canvas, wardX, weekY, sheet.Ward, width - l.Margin - wardX);
        nextY = weekY + canvas.textHeight(weekText);
    }

    const int top = l.top();
    // Above each heading: its date right-aligned just over it, and over the date the
    // holiday, starting where the heading starts and kept inside the column.
    canvas.setFontSize(8);
    const int datesY = std::min(RoundHalfEven(l.LineSpace * 8.6),
                                top - l.RuleOffset - RulePenWidth(canvas.dpi()) - canvas.textHeight(QStringLiteral("0")));
    if (sheet.WeekDate.isValid()) {
        for (int k = 0; k < kDays; ++k) {
            const QString day = QString::number(sheet.WeekDate.addDays(k).day());
            canvas.textOut(x[3 + k] - canvas.textWidth(day), datesY, day);
        }
    }
    canvas.setFontSize(10);
    const int holidayY = std::min(RoundHalfEven(l.LineSpace * 7.5), datesY - canvas.textHeight(QStringLiteral("0")));
    for (int day = 1; day <= kDays; ++day) {
        const QString& label = sheet.Holidays[day];
        if (label.isEmpty())
            continue;
        const int left = x[day + 1] + l.Dash, right = x[day + 2] - l.Dash;
        const Canvas::Font saved = canvas.font();
        ShrinkToFit(canvas, label, right - left, std::max(1, datesY - std::max(holidayY, nextY)));
        const int centre = (x[day + 2] - x[day + 1]) / 2 + x[day + 1];
        const int start = centre - canvas.textWidth(sheet.DayHeadings[day]) / 2;
        canvas.textOut(std::max(left, std::min(start, right - canvas.textWidth(label))), std::max(holidayY, nextY),
                       label);
        canvas.setFont(saved);
    }
    FittedCentred(canvas, sheet.NameHeading, x[0], x[1], top, l.Dash);
    FittedCentred(canvas, sheet.HoursHeading, x[1], x[2], top, l.Dash);
    for (int day = 1; day <= kDays; ++day)
        FittedCentred(canvas, sheet.DayHeadings[day], x[day + 1], x[day + 2], top, l.Dash);
    FittedCentred(canvas, sheet.NotesHeading, x[9], x[10], top, l.Dash);

    canvas.setFontSize(10);
    canvas.setPen(0x000000, RulePenWidth(canvas.dpi()));
    auto rule = [&](int y) { canvas.line(QPoint(x[0], y), QPoint(x[10], y)); };
    rule(top - l.RuleOffset);
    const WeekData& w = sheet.Week;
    const int rowRoom = l.RowSpacing - l.RuleOffset - RulePenWidth(canvas.dpi());
    for (int r = 1; r <= l.Lines; ++r) {
        const int y = l.rowY(r);
        rule(y - l.RuleOffset);
        // Each text shrunk to its cell: a dash of room each side, a rule's width below.
        auto cell = [&](int column, const QString& text) {
            if (text.isEmpty())
                canvas.textOut(x[column] + l.Dash, y, text);
            else
                FittedText(canvas, x[column] + l.Dash, y, text, x[column + 1] - x[column] - 2 * l.Dash, rowRoom);
        };
        cell(0, w.Names[r]);
        cell(1, w.HoursWorked[r]);
        for (int day = 1; day <= kDays; ++day)
            cell(day + 1, w.Cells[day][r]);
        cell(9, w.Notes[r]);
    }
    rule(l.bottomRule());

    // The signature at the right, the footer in what is left of the line.
    canvas.setFontSize(12);
    const int footY = height - l.RowSpacing;
    const int footRoom = height - footY;
    ShrinkToFit(canvas, sheet.Signature, titleRoom / 2, footRoom);
    const int signatureX = width - canvas.textWidth(sheet.Signature) - l.Margin;
    canvas.textOut(signatureX, footY, sheet.Signature);
    canvas.setFontSize(8);
    FittedText(canvas, l.Margin, footY, sheet.Footer, signatureX - gap - l.Margin, footRoom);

    for (int i = 0; i <= 10; ++i) {
        TraceLog(QStringLiteral("Xtab[%1]%2").arg(i).arg(x[i]));
        canvas.line(QPoint(x[i], top - l.RuleOffset), QPoint(x[i], l.bottomRule()));
    }

    // Under the closing rule, above the footer and the signature line: the short shifts,
    // then the rules broken, each a bold heading and entries flowing in rows.
    const QStringList shorts = ShortShiftItems(sheet);
    if (shorts.isEmpty() && sheet.Breaches.empty())
        return;
    canvas.setFontSize(12);
    const int bottom = height - l.RowSpacing - canvas.textHeight(sheet.Signature) / 2;
    int listTop = l.bottomRule() + 2 * l.RuleOffset;
    std::vector<PlacedText> list;
    if (!shorts.isEmpty()) {
        list = LayOutTextList(canvas, QStringLiteral("Short:"), shorts, x[0], x[10], listTop, bottom,
                              QStringLiteral("  "));
        if (!list.empty()) {
            canvas.setFontSize(8);
            const int rowHeight = canvas.textHeight(list.back().text);
            listTop = list.back().y + rowHeight + rowHeight / 2;
        }
    }
    if (!sheet.Breaches.empty()) {
        const std::vector<PlacedText> breaches = LayOutBreachList(canvas, sheet.Breaches, x[0], x[10], listTop, bottom);
        list.insert(list.end(), breaches.begin(), breaches.end());
    }
    for (const PlacedText& t : list) {
        canvas.setFontSize(8, t.bold);
        canvas.textOut(t.x, t.y, t.text);
    }
}

}  // namespace tavrola
