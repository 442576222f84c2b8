#include "render/Canvas.h"

#include <algorithm>

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

void ShrinkToFit(Canvas& canvas, const QString& text, int width, int height)
{
    Canvas::Font f = canvas.font();
    auto fits = [&] {
        return canvas.textWidth(text) <= width && (height <= 0 || canvas.textHeight(text) <= height);
    };
    if (fits())
        return;
    // Widths scale with the font: start near the answer, then step down.
    const int w = canvas.textWidth(text);
    if (w > width && w > 0)
        f.pixelHeight = std::max(1, int(qint64(f.pixelHeight) * std::max(width, 0) / w));
    canvas.setFont(f);
    while (f.pixelHeight > 1 && !fits()) {
        --f.pixelHeight;
        canvas.setFont(f);
    }
}

void FittedText(Canvas& canvas, int x, int y, const QString& text, int width, int height)
{
    if (text.isEmpty())
        return;
    const Canvas::Font saved = canvas.font();
    ShrinkToFit(canvas, text, width, height);
    canvas.textOut(x, y, text);
    canvas.setFont(saved);
}

QStringList WrapToFit(Canvas& canvas, const QStringList& items, const QString& separator, int width, int height)
{
    Canvas::Font f = canvas.font();
    for (;;) {
        QStringList lines;
        bool tooWide = false;
        for (const QString& item : items) {
            if (!lines.isEmpty() && canvas.textWidth(lines.last() + separator + item) <= width)
                lines.last() += separator + item;
            else
                lines += item;
            tooWide = tooWide || canvas.textWidth(lines.last()) > width;
        }
        const int h = canvas.textHeight(QStringLiteral("X"));
        if (f.pixelHeight <= 1 || (!tooWide && h * lines.size() <= height))
            return lines;
        --f.pixelHeight;
        canvas.setFont(f);
    }
}

}  // namespace tavrola
