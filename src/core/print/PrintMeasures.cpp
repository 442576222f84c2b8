#include "print/PrintMeasures.h"

#include "render/Canvas.h"
#include "util/TraceLog.h"

namespace tavrola {

int CentredX(const Canvas& canvas, const QString& text, int left, int right)
{
    return (right - left) / 2 + left - canvas.textWidth(text) / 2;
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
