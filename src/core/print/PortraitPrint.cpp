#include "print/PortraitPrint.h"

#include "print/PrintMeasures.h"
#include "render/Canvas.h"
#include "settings/DutyText.h"
#include "util/ConversionError.h"
#include "util/FileAccess.h"
#include "util/TextUtil.h"
#include "util/TraceLog.h"
#include "weeks/WeekFileNumbers.h"

#include <QLocale>
#include <algorithm>

namespace tavrola {

namespace {
const QString kTwoDashes = QStringLiteral("--");
const QString kRotaTitle = QStringLiteral(" Tavrola Rota ");
const QString kWeekBeginning = QStringLiteral("      Week beginning  ");
const char* const kDayShort[kDays + 1] = {"", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
}  // namespace

bool ComputePortraitFigures(const WeekData& week, PortraitFigures* figures, QString* error)
{
    *figures = PortraitFigures();
    const int last = LinesWithNames(week) - 1;
    for (int line = 1; line <= last; ++line) {
        const QString& set = week.HoursSet[line];
        const QString& worked = week.HoursWorked[line];
        auto fail = [&](const QString& what, const QString& why) {
            *error = QStringLiteral("The week cannot be printed: the %1 of line %2 (%3) do not convert: %4")
                         .arg(what)
                         .arg(line)
                         .arg(Quoted(week.Names[line]), why);
            return false;
        };
        if (set.isEmpty())
            continue;
        float contracted = 0, full = 0;
        try {
            contracted = HoursSetValue(set, true);
            full = HoursSetValue(set, false);
        } catch (const ConversionError& e) {
            return fail(QStringLiteral("contracted hours"), e.message());
        }
        figures->Contracted[line] = FloatToGeneral(contracted, 15);
        if (worked.isEmpty())
            continue;
        const std::optional<float> hours = WeekFileReal(worked);
        if (!hours)
            return fail(QStringLiteral("hours worked"), ConversionError::notFloat(worked).message());
        const double extra = double(*hours) - double(full);
        if (extra > 0)
            figures->Extra[line] = FloatToGeneral(extra, 4);
    }
    return true;
}

std::pair<QString, QString> SplitHospitalTitle(const QString& title)
{
    const int p = Pos(u"NHS", title);
    if (p == 0)
        return {title, QString()};
    return {title.left(std::max(0, p - 2)), title.mid(p - 1)};
}

void TextOutAngled(Canvas& canvas, const QString& text, int x, int points, int angle, int y)
{
    const Canvas::Font saved = canvas.font();
    canvas.setFontSize(points, saved.bold);
    if (angle == 90) {
        const int n = int(text.size());
        const double total = canvas.textWidth(text);
        for (int i = 0; i < n; ++i)
            canvas.textOut(x, y + RoundHalfEven(total * i * 1.4 / n), text.mid(i, 1));
    } else {
        Canvas::Font turned = canvas.font();
        turned.angle = angle;
        canvas.setFont(turned);
        canvas.textOut(x, y, text);
    }
    canvas.setFont(saved);
}

QStringList ShiftCodeLegend(const PrintSheet& sheet)
{
    static const char* const meanings[15] = {"",
                                             "Early",
                                             "Late",
                                             "Night",
                                             "Annual leave",
                                             "Half-day holiday",
                                             "Sick leave",
                                             "Maternity leave",
                                             "Paternity leave",
                                             "Carer's leave",
                                             "Domestic leave",
                                             "Emergency leave",
                                             "Absent",
                                             "Study day",
                                             "Admin day"};
    QStringList items;
    for (int k = 1; k <= 14; ++k)
        if (!sheet.DutyNames[k].isEmpty())
            items += sheet.DutyNames[k] + u':' + QLatin1String(meanings[k]);
    if (!items.isEmpty())
        items.prepend(QStringLiteral(" Shift Codes"));
    return items;
}

int PortraitLineSpace(int pageHeight)
{
    return RoundHalfEven(pageHeight * 0.014285714285714285);
}

PortraitLayout ComputePortraitLayout(Canvas& canvas, const PrintSheet& sheet)
{
    PortraitLayout l;
    const WeekData& w = sheet.Week;
    l.LineSpace = PortraitLineSpace(canvas.height());
    l.RowSpacing = RoundHalfEven(l.LineSpace * 1.5);
    canvas.setFontSize(12);
    l.Margin = canvas.textWidth(QStringLiteral("___"));
    l.Dash = canvas.textWidth(QStringLiteral("-"));
    l.RuleOffset = canvas.textWidth(QStringLiteral("TH")) / 3;
    l.LastNamed = std::max(0, LinesWithNames(w) - 1);

    canvas.setFontSize(10);
    l.NameColumnWidth = WidestDashed(canvas, w.Names, 1, kLines);
    // The line after the last named one still counts toward the day widths.
    const int lastCounted = std::min(kLines, l.LastNamed + 1);
    for (int day = 1; day <= kDays; ++day)
        l.DayWidths[day] = WidestDashed(canvas, w.Cells[day], 0, lastCounted);
    // Every heading printed has room in its column: "Name" and the staff-numbers labels
    // under the names, a weekday's heading over its column even when it is empty.
    l.NameColumnWidth = std::max(l.NameColumnWidth, canvas.textWidth(QStringLiteral("-Name-")));
    for (int day = 1; day <= kDays; ++day)
        if (day <= 5 || l.DayWidths[day] != 0)
            l.DayWidths[day] = std::max(l.DayWidths[day],
                                        canvas.textWidth(QStringLiteral("-%1-").arg(QLatin1String(kDayShort[day]))));
    int* P = l.P;
    P[0] = canvas.textWidth(kTwoDashes);
    {
        const Canvas::Font saved = canvas.font();
        canvas.setFontSize(8, true);
        const int labels = l.Margin + canvas.textWidth(QStringLiteral(" Staff Numbers-")) - P[0];
        canvas.setFont(saved);
        l.NameColumnWidth = std::max(l.NameColumnWidth, labels);
    }
    // The grades' column takes the widest grade.
    const int gradeWidth = std::max(canvas.textWidth(QStringLiteral("-Grd-")), WidestDashed(canvas, w.Grades, 1, kLines));
    const int fixed = P[0] + gradeWidth + canvas.textWidth(QStringLiteral(".37.5."));
    // Names, days and comments share the page; a week too wide for it has them narrowed
    // alike (their texts shrink to fit). The comments ask for their widest note, up to a
    // quarter of the page, as they wrap onto two lines.
    const int comments = std::max(canvas.textWidth(QStringLiteral("-Comments-")),
                                  std::min(WidestDashed(canvas, w.Notes, 1, kLines), canvas.width() / 4));
    const int room = canvas.width() - canvas.textWidth(QStringLiteral(" Hours --")) - fixed;
    int wanted = l.NameColumnWidth + comments;
    for (int day = 1; day <= kDays; ++day)
        wanted += l.DayWidths[day];
    if (wanted > room && wanted > 0) {
        const double f = std::max(0, room) / double(wanted);
        l.NameColumnWidth = int(l.NameColumnWidth * f);
        for (int day = 1; day <= kDays; ++day)
            l.DayWidths[day] = int(l.DayWidths[day] * f);
    }
    P[1] = P[0] + l.NameColumnWidth;
    P[2] = P[1] + gradeWidth;
    P[3] = P[2] + canvas.textWidth(QStringLiteral(".37.5."));
    for (int day = 1; day <= kDays; ++day)
        P[3 + day] = P[2 + day] + l.DayWidths[day];
    P[11] = canvas.width() - canvas.textWidth(QStringLiteral(" Hours --"));
    P[12] = canvas.width() - canvas.textWidth(kTwoDashes);
    return l;
}

bool DrawPortraitPrint(Canvas& canvas, const PrintSheet& sheet, QString* error)
{
    PortraitFigures figures;
    if (!ComputePortraitFigures(sheet.Week, &figures, error))
        return false;
    const int width = canvas.width();
    const int height = canvas.height();
    const auto [hospital1, hospital2] = SplitHospitalTitle(sheet.Hospital);
    const PortraitLayout l = ComputePortraitLayout(canvas, sheet);
    const int* P = l.P;
    const int ls = l.LineSpace;

    // The hospital at the top right, its second line under the first.
    const int pageRoom = width - 2 * l.Margin;
    canvas.setFontSize(14, true);
    ShrinkToFit(canvas, hospital1, pageRoom);
    canvas.textOut(width - l.Margin - canvas.textWidth(hospital1), ls, hospital1);
    const int hospital1Bottom = ls + canvas.textHeight(hospital1);
    const int hospitalLeft = width - l.Margin - canvas.textWidth(hospital1);
    const int hospital2Y = std::max(RoundHalfEven(ls * 2.5), hospital1Bottom);
    canvas.setFontSize(8);
    ShrinkToFit(canvas, hospital2, pageRoom);
    canvas.textOut(width - l.Margin - canvas.textWidth(hospital2), hospital2Y, hospital2);
    // The box's text stays left of whatever of the hospital reaches down beside it.
    int titleRight = width - l.Margin;
    if (!hospital1.isEmpty() && hospital1Bottom > 3 * ls)
        titleRight = std::min(titleRight, hospitalLeft);
    if (!hospital2.isEmpty() && hospital2Y + canvas.textHeight(hospital2) > 3 * ls)
        titleRight = std::min(titleRight, width - l.Margin - canvas.textWidth(hospital2));

    // The boxed title: " Tavrola Rota WARD      Week beginning  8 Dec 26", ward and date bold,
    // each part placed after the part before it as measured in its own weight.
    const QString date = sheet.WeekDate.isValid() ? QLocale().toString(sheet.WeekDate, QStringLiteral("d MMM yy"))
                                                  : QString();
    canvas.setFontSize(12);
    const int dashes = canvas.textWidth(kTwoDashes);
    Canvas::Font regular = canvas.font();
    struct Part {
        QString text;
        bool bold;
    };
    const Part parts[] = {{kRotaTitle, false}, {sheet.Ward, true}, {kWeekBeginning, false}, {date, true}};
    auto partWidth = [&](const Part& part) {
        Canvas::Font f = regular;
        f.bold = part.bold;
        canvas.setFont(f);
        const int w = canvas.textWidth(part.text);
        canvas.setFont(regular);
        return w;
    };
    auto titleWidth = [&] {
        int w = canvas.textWidth(QStringLiteral("--___"));
        for (const Part& part : parts)
            w += partWidth(part);
        return w;
    };
    while (regular.pixelHeight > 1 && l.Margin + titleWidth() > titleRight) {
        --regular.pixelHeight;
        canvas.setFont(regular);
    }
    const int boxRight = titleWidth() + dashes;
    canvas.setPen(0x000000, RulePenWidth(canvas.dpi()));
    canvas.setBrush(White);
    canvas.rectangle(QRect(dashes, 3 * ls, boxRight - dashes, 3 * ls));
    int partX = l.Margin;
    for (const Part& part : parts) {
        Canvas::Font f = regular;
        f.bold = part.bold;
        canvas.setFont(f);
        canvas.textOut(partX, 4 * ls, part.text);
        partX += canvas.textWidth(part.text);
    }

    // Headings.
    canvas.setFontSize(10);
    const int headingY = 9 * ls;
    const int rowRoom = l.RowSpacing - l.RuleOffset - RulePenWidth(canvas.dpi());
    auto centred = [&](const QString& text, int left, int right, int y) {
        FittedCentred(canvas, text, left, right, y, l.Dash / 2, rowRoom);
    };
    centred(QStringLiteral("Name"), P[0], P[1], headingY);
    // Grade and contracted hours turned to read upward, their feet just over row 1's rule.
    {
        const Canvas::Font saved = canvas.font();
        const int foot = l.rowY(1) - l.RuleOffset - l.Dash / 2;
        const int band = foot - headingY;
        auto upward = [&](const QString& text, int x) {
            canvas.setFontSize(8);
            ShrinkToFit(canvas, text, band);
            Canvas::Font f = canvas.font();
            f.angle = 90;
            canvas.setFont(f);
            canvas.textOut(x, foot, text);
            return canvas.textHeight(text);
        };
        canvas.setFontSize(8);
        const int h = canvas.textHeight(QStringLiteral("X"));
        upward(QStringLiteral("GRADE"), (P[2] - P[1]) / 2 + P[1] - h / 2);
        const int contractedMid = (P[3] - P[2]) / 2 + P[2];
        upward(QStringLiteral("CONTRACTED"), contractedMid - h - 1);
        upward(QStringLiteral("HOURS"), contractedMid + 1);
        canvas.setFont(saved);
    }
    for (int day = 1; day <= kDays; ++day)
        if (day <= 5 || l.DayWidths[day] != 0)
            centred(QString::fromLatin1(kDayShort[day]), l.dayLeft(day), l.dayRight(day), headingY);
    centred(QStringLiteral("Comments"), P[10], P[11], headingY);
    centred(QStringLiteral("Extra"), P[11], P[12], headingY);
    centred(QStringLiteral("Hours"), P[11], P[12], 10 * ls);
    auto rule = [&](int y) { canvas.line(QPoint(P[0], y), QPoint(P[12], y)); };
    rule(headingY - l.RuleOffset);

    // The named lines.
    const WeekData& w = sheet.Week;
    for (int r = 1; r <= l.LastNamed; ++r) {
        const int y = l.rowY(r);
        rule(y - l.RuleOffset);
        // Each text shrunk to its column, half a dash of room each side.
        auto cell = [&](int left, int right, const QString& text) {
            FittedText(canvas, left + l.Dash / 2, y, text, right - left - l.Dash, rowRoom);
        };
        cell(P[0], P[1], w.Names[r]);
        centred(w.Grades[r], P[1], P[2], y);
        centred(figures.Contracted[r], P[2], P[3], y);
        for (int day = 1; day <= kDays; ++day)
            cell(l.dayLeft(day), l.dayRight(day), w.Cells[day][r]);
        if (!w.Notes[r].isEmpty()) {
            const Canvas::Font saved = canvas.font();
            const QStringList lines = WrapToFit(canvas, w.Notes[r].split(u' ', Qt::SkipEmptyParts), QStringLiteral(" "),
                                                P[11] - P[10] - l.Dash, rowRoom);
            for (int i = 0; i < lines.size(); ++i)
                canvas.textOut(P[10] + l.Dash / 2, y + i * canvas.textHeight(lines[i]), lines[i]);
            canvas.setFont(saved);
        }
        cell(P[11], P[12], figures.Extra[r]);
    }
    for (int k = std::max(1, l.LastNamed + 1); k <= kPortraitRows; ++k)
        rule(l.rowY(k) - l.RuleOffset);

    canvas.setFontSize(8);
    FittedText(canvas, l.Margin, height - l.RowSpacing, sheet.Footer, pageRoom, l.RowSpacing);

    // Vertical rules: the outer ones to the last row, the contracted-hours column's stop
    // above the staff numbers, the others above the shift codes.
    for (int i = 0; i <= 12; ++i) {
        const int depth = (i == 0 || i == 12) ? 36 : (i == 2 || i == 3) ? 31 : 35;
        canvas.line(QPoint(P[i], headingY - l.RuleOffset), QPoint(P[i], l.rowY(depth) - l.RuleOffset));
    }

    canvas.setFontSize(8, true);
    const int labelRoom = P[1] - l.Margin - l.Dash / 2;
    FittedText(canvas, l.Margin, l.rowY(27), QStringLiteral(" WARD CLERKS"), labelRoom, rowRoom);
    FittedText(canvas, l.Margin, l.rowY(31), QStringLiteral(" Staff Numbers"), labelRoom, rowRoom);
    const char* const shifts[] = {" E", " L", " N", " Twilight"};
    for (int k = 0; k < 4; ++k)
        FittedText(canvas, P[1] + l.Dash, l.rowY(31 + k), QString::fromLatin1(shifts[k]), P[4] - P[1] - 2 * l.Dash,
                   rowRoom);
    // The ward's own codes, on as many lines as the last row holds.
    const QStringList legend = ShiftCodeLegend(sheet);
    if (!legend.isEmpty()) {
        const QStringList lines = WrapToFit(canvas, legend, QStringLiteral("   "), P[12] - l.Margin - l.Dash, rowRoom);
        const int lineHeight = canvas.textHeight(QStringLiteral("X"));
        for (int i = 0; i < lines.size(); ++i)
            canvas.textOut(l.Margin, l.rowY(35) + i * lineHeight, lines[i]);
    }
    canvas.setFontSize(10);
    return true;
}

}  // namespace tavrola
