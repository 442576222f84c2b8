#pragma once
#include <QString>
#include <QStringList>
#include "render/Canvas.h"
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

// Writes `text` centred between two boundaries, shrunk to fit between them with a
// dash of room at each side.
void FittedCentred(Canvas& canvas, const QString& text, int left, int right, int y, int dash, int height = 0);

// The widest of "-" + text + "-" in the current font over texts[from..to]; 0 when all
// those texts are empty. Each text that sets a new greatest width is traced with it.
int WidestDashed(const Canvas& canvas, const QString* texts, int from, int to);

}  // namespace tavrola
