#include "render/Canvas.h"

namespace tavrola {

int PointsToPixels(int points, int dpi)
{
    const qint64 product = qint64(points) * dpi;
    return int(product >= 0 ? (product + 36) / 72 : (product - 36) / 72);
}

void Canvas::setFontSize(int points, bool bold)
{
    Font f = font();
    f.pixelHeight = PointsToPixels(points, dpi());
    f.bold = bold;
    setFont(f);
}

}  // namespace tavrola
