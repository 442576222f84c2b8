#pragma once
#include "roster/Brushes.h"

#include <QCursor>
#include <QIcon>

namespace tavrola {

// Our own pictures of the duty brushes: a mouse cursor that carries the duty's badge
// beside the arrow, and the toolbar glyph. Badges are solid with a dark rim so they read
// on white and light-green cells alike.
QCursor BrushCursor(Brush brush);
QIcon BrushIcon(Brush brush);

// The cursor installed under a registry resource name ("ARROWAM" ...); the arrow for
// anything else.
QCursor CursorForResource(const QString& resourceName);

}  // namespace tavrola
