#include "print/PrintMeasures.h"

#include "render/Canvas.h"
#include "util/TraceLog.h"

#include <algorithm>

namespace tavrola {

int CentredX(const Canvas& canvas, const QString& text, int left, int right)
{
    return (right - left) / 2 + left - canvas.textWidth(text) / 2;
}

void FittedCentred(Canvas& canvas, const QString& text, int left, int right, int y, int dash, int height)
{
    if (text.isEmpty())
        return;
    const Canvas::Font saved = canvas.font();
    ShrinkToFit(canvas, text, right - left - 2 * dash, height);
    canvas.textOut(CentredX(canvas, text, left, right), y, text);
    canvas.setFont(saved);
}

int WidestDashed(const Canvas& canvas, const QString* texts, int from, int to)
{
    int widest = 0;
    for (int i = from; i <= to; ++i) {
        if (texts[i].isEmpty())
            continue;
        const int w = canvas.textWidth(QStringLiteral("-") + texts[i] + QStringLiteral("-"));
        if (w > widest) {
            widest = w;
            TraceLog(texts[i] + QStringLiteral(" ") + QString::number(w));
        }
    }
    return widest;
}

}  // namespace tavrola
