#pragma once
#include <QString>
#include <QStringList>
#include <cmath>

namespace tavrola {

class Canvas;

// Nearest integer, halves to even (how the page arithmetic rounds: 145.5 gives 146).
inline int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

// Width of the rules: one pixel, as a 300-dpi printer's pixel at least (0.085 mm), so
// rules on a fine printer or a PDF stay visible instead of a 1/1200-inch thread.
inline int RulePenWidth(int dpi) { return dpi > 300 ? (dpi + 150) / 300 : 1; }

// x of a text centred between two boundaries; halving drops the remainder.
int CentredX(const Canvas& canvas, const QString& text, int left, int right);

// Makes the canvas's font smaller, never larger, until `text` is at most `width` wide and
// its line at most `height` high (height 0: any). A text that fits keeps the font.
void ShrinkToFit(Canvas& canvas, const QString& text, int width, int height = 0);

// Writes `text` at (x, y), shrunk to fit `width` (and `height`, 0 for any); the canvas's
// font is put back afterwards.
void FittedText(Canvas& canvas, int x, int y, const QString& text, int width, int height = 0);
// The same, centred between two boundaries with room for a dash at each side.
void FittedCentred(Canvas& canvas, const QString& text, int left, int right, int y, int dash, int height = 0);

// Puts `items` on as few lines as fit `width`, joined by `separator`, shrinking the
// canvas's font until all the lines fit `height` together. The font is left as chosen.
QStringList WrapToFit(Canvas& canvas, const QStringList& items, const QString& separator, int width, int height);

// The widest of "-" + text + "-" in the current font over texts[from..to]; 0 when all
// those texts are empty. Each text that sets a new greatest width is traced with it.
int WidestDashed(const Canvas& canvas, const QString* texts, int from, int to);

}  // namespace tavrola
