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
    int* P = l.P;
    P[0] = canvas.textWidth(kTwoDashes);
    P[1] = P[0] + l.NameColumnWidth;
    P[2] = P[1] + canvas.textWidth(QStringLiteral("-Grd-"));
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

    // The boxed title: " Tavrola Rota WARD      Week beginning  8 Dec 26", ward and date bold.
    canvas.setFontSize(12);
    const QString date = sheet.WeekDate.isValid() ? QLocale().toString(sheet.WeekDate, QStringLiteral("d MMM yy"))
                                                  : QString();
    const int dashes = canvas.textWidth(kTwoDashes);
    const int boxRight = canvas.textWidth(kRotaTitle + sheet.Ward + kWeekBeginning + date + QStringLiteral("--___"))
                         + dashes;
    canvas.setPen(0x000000, RulePenWidth(canvas.dpi()));
    canvas.setBrush(White);
    canvas.rectangle(QRect(dashes, 3 * ls, boxRight - dashes, 3 * ls));
    const int titleY = 4 * ls;
    const int wardX = l.Margin + canvas.textWidth(kRotaTitle);
    const int beginningX = l.Margin + canvas.textWidth(kRotaTitle + sheet.Ward);
    const int dateX = l.Margin + canvas.textWidth(kRotaTitle + sheet.Ward + kWeekBeginning);
    canvas.textOut(l.Margin, titleY, kRotaTitle);
    canvas.textOut(beginningX, titleY, kWeekBeginning);
    canvas.setFontSize(12, true);
    canvas.textOut(wardX, titleY, sheet.Ward);
    canvas.textOut(dateX, titleY, date);

    // The hospital at the top right.
    canvas.setFontSize(14, true);
    canvas.textOut(width - l.Margin - canvas.textWidth(hospital1), ls, hospital1);
    canvas.setFontSize(8);
    canvas.textOut(width - l.Margin - canvas.textWidth(hospital2), RoundHalfEven(ls * 2.5), hospital2);

    // Headings.
    canvas.setFontSize(10);
    const int headingY = 9 * ls;
    auto centred = [&](const QString& text, int left, int right, int y) {
        canvas.textOut(CentredX(canvas, text, left, right), y, text);
    };
    centred(QStringLiteral("Name"), P[0], P[1], headingY);
    TextOutAngled(canvas, QStringLiteral("GRADE"), (P[2] - P[1]) / 2 + P[1], 6, 90, headingY);
    const int contractedMid = (P[3] - P[2]) / 2 + P[2];
    TextOutAngled(canvas, QStringLiteral("CONTRACTED"), contractedMid - l.Dash, 6, 90, headingY);
    TextOutAngled(canvas, QStringLiteral("HOURS"), contractedMid + l.Dash, 6, 90, headingY);
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
        canvas.textOut(P[0] + l.Dash, y, w.Names[r]);
        canvas.textOut((P[2] - P[1]) / 2 + P[1] - l.Dash / 2, y, w.Grades[r]);
        if (!figures.Contracted[r].isEmpty())
            centred(figures.Contracted[r], P[2], P[3], y);
        for (int day = 1; day <= kDays; ++day)
            canvas.textOut(l.dayLeft(day) + l.Dash, y, w.Cells[day][r]);
        canvas.textOut(P[10] + l.Dash, y, w.Notes[r]);
        if (!figures.Extra[r].isEmpty())
            canvas.textOut(P[11] + l.Dash, y, figures.Extra[r]);
    }
    for (int k = std::max(1, l.LastNamed + 1); k <= kPortraitRows; ++k)
        rule(l.rowY(k) - l.RuleOffset);

    canvas.setFontSize(8);
    canvas.textOut(l.Margin, height - l.RowSpacing, QStringLiteral("Tavrola Wizard    ") + sheet.Footer);

    // Vertical rules: the outer ones to the last row, the contracted-hours column's stop
    // above the staff numbers, the others above the shift codes.
    for (int i = 0; i <= 12; ++i) {
        const int depth = (i == 0 || i == 12) ? 36 : (i == 2 || i == 3) ? 31 : 35;
        canvas.line(QPoint(P[i], headingY - l.RuleOffset), QPoint(P[i], l.rowY(depth) - l.RuleOffset));
    }

    canvas.setFontSize(8, true);
    canvas.textOut(l.Margin, l.rowY(27), QStringLiteral(" WARD CLERKS"));
    canvas.textOut(l.Margin, l.rowY(31), QStringLiteral(" Staff Numbers"));
    const char* const shifts[] = {" E", " L", " N", " Twilight"};
    for (int k = 0; k < 4; ++k)
        canvas.textOut(P[1] + l.Dash, l.rowY(31 + k), QString::fromLatin1(shifts[k]));
    canvas.textOut(l.Margin, l.rowY(35),
                   QStringLiteral(" Shift Codes   E:Early   L:Late   N:Night   AL:Annual Leave   "
                                  "M:Maternity Leave   S:Sick leave"));
    canvas.setFontSize(10);
    return true;
}

}  // namespace tavrola
