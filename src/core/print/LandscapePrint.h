#pragma once
#include "print/PrintSheet.h"

#include <QStringList>

namespace tavrola {

class Canvas;

// The landscape page: titles, the week and ward, a ruled table with one row per grid line
// in use (name, hours worked, Monday..Sunday, notes) and the signature line. Every
// position comes from the page size and from widths measured on the target.
struct LandscapeLayout {
    int LineSpace = 0;    // page height x 0.02
    int RowSpacing = 0;   // LineSpace x 1.5
    int Margin = 0;       // "___" in 12 points
    int RuleOffset = 0;   // "TH" in 10 points, divided by 3
    int Dash = 0;         // "-" in 10 points
    int NameColumnWidth = 0;
    int Xtab[11] = {};    // column boundaries: names, hours, Monday..Sunday, notes, right edge
    int Lines = 0;        // grid lines printed (1..Lines, empty ones between included)

    int top() const { return 9 * LineSpace; }  // the heading line
    int rowY(int row) const { return top() + row * RowSpacing; }
    // The closing rule, where the vertical rules end.
    int bottomRule() const { return rowY(Lines + 1) - RuleOffset; }
};

// LineSpace of a page this many pixels high: its height x 0.02, rounded.
int LandscapeLineSpace(int pageHeight);

// Measures the layout on the canvas (it leaves the canvas in the 10-point font).
LandscapeLayout ComputeLandscapeLayout(Canvas& canvas, const PrintSheet& sheet);

// One text of the breach list and where it goes (its top-left corner).
struct PlacedText {
    int x = 0, y = 0;
    QString text;
    bool bold = false;
    bool operator==(const PlacedText&) const = default;
};

// A list under the table, in 8 points: a bold heading, then the items flowing left to
// right in rows between `left` and `right`, `gapText` apart, from `top` down to rows
// that end above `bottom`. When they do not all fit, the last ones give way to "and N
// more"; where not even the heading fits, nothing is placed. Leaves the canvas in the
// 8-point font.
std::vector<PlacedText> LayOutTextList(Canvas& canvas, const QString& heading, const QStringList& items, int left,
                                       int right, int top, int bottom, const QString& gapText);

// The list of working-time rule breaches under the table, in 8 points: a bold heading,
// then "Daily rest – Ann Smith, Tuesday" entries flowing left to right in rows between
// `left` and `right`, from `top` down to rows that end above `bottom`. When they do not
// all fit, the last ones give way to "and N more"; where not even the heading fits,
// nothing is placed. Leaves the canvas in the 8-point font.
std::vector<PlacedText> LayOutBreachList(Canvas& canvas, const std::vector<PrintBreach>& breaches, int left,
                                         int right, int top, int bottom);

// Draws the whole page: under the table, the short shifts and the breach list when the
// sheet has any.
void DrawLandscapePrint(Canvas& canvas, const PrintSheet& sheet);

}  // namespace tavrola
