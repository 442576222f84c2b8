#pragma once
#include "render/RecordingCanvas.h"

#include <QRect>
#include <QStringList>

namespace tavrola::test {

// Everything wrong with a drawn page or picture, one line each: two texts whose boxes
// overlap, a text that a line runs through (a rule or a bar, except a line of the
// colour the text is written on: a label on its bar), a text outside `bounds`, and a
// text smaller than `minPixels`. Empty and blank texts are not counted.
QStringList LayoutFaults(const RecordingCanvas& canvas, const QRect& bounds, int minPixels = 1);

}  // namespace tavrola::test
