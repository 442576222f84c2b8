#pragma once
#include "print/PrintSheet.h"

#include <QString>
#include <QStringList>
#include <utility>

namespace tavrola {

class Canvas;

// The portrait page, laid out like a paper duty sheet: a boxed title with the ward and
// the week, the hospital at the top right, one ruled row per named line (name, grade,
// contracted hours, Monday..Sunday, comments, extra hours), empty ruled rows down to row
// 36, the ward clerks and staff numbers to fill in by hand, the shift codes and a
// footer. Each day column is as wide as its widest entry, so an empty one has no width.
struct PortraitLayout {
    int LineSpace = 0;    // page height / 70
    int RowSpacing = 0;   // LineSpace x 1.5
    int Margin = 0;       // "___" in 12 points
    int Dash = 0;         // "-" in 12 points
    int RuleOffset = 0;   // "TH" in 12 points, divided by 3
    int LastNamed = 0;    // the last named line (rows 1..LastNamed are printed)
    int NameColumnWidth = 0;
    int DayWidths[kDays + 1] = {};  // 0 for a day without entries
    int P[13] = {};       // column boundaries: name, grade, contracted, Monday..Sunday, comments, extra

    int rowY(int row) const { return 13 * LineSpace + row * RowSpacing; }
    int dayLeft(int day) const { return P[day + 2]; }
    int dayRight(int day) const { return P[day + 3]; }
};

inline constexpr int kPortraitRows = 36;  // ruled rows, named or not

// The figures of the named lines: the contracted hours (first number, general form) and
// the extra hours worked (positive differences only, up to 4 significant digits).
struct PortraitFigures {
    QString Contracted[kLines + 1];
    QString Extra[kLines + 1];
};

// Works the figures out before anything is printed. False, with a message naming the
// line, when a contracted-hours or hours-worked text of a named line does not convert.
bool ComputePortraitFigures(const WeekData& week, PortraitFigures* figures, QString* error);

// The hospital title on two lines at "NHS": the text before it (less the blank before
// "NHS") and the text from "NHS" on; without "NHS", the whole title and nothing.
std::pair<QString, QString> SplitHospitalTitle(const QString& title);

// Writes `text` in `points` points and puts the canvas's font back afterwards. At angle
// 90 the characters stand one below the other, 1.4 average character widths apart; any
// other angle turns the text by that many degrees.
void TextOutAngled(Canvas& canvas, const QString& text, int x, int points, int angle, int y);

// The shift-code legend from the ward's own duty names: " Shift Codes", then
// "EARLY:Early", "LATE:Late", ... for every name the sheet has; empty without names.
QStringList ShiftCodeLegend(const PrintSheet& sheet);

// LineSpace of a page this many pixels high: its height x 1/70, rounded.
int PortraitLineSpace(int pageHeight);

// Measures the layout on the canvas (it leaves the canvas in the 10-point font).
PortraitLayout ComputePortraitLayout(Canvas& canvas, const PrintSheet& sheet);

// Draws the whole page. False, drawing nothing, when the figures do not convert.
bool DrawPortraitPrint(Canvas& canvas, const PrintSheet& sheet, QString* error);

}  // namespace tavrola
