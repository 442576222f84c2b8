#include "LayoutCheck.h"

namespace tavrola::test {

namespace {

QString Describe(const RecordingCanvas::DrawnText& t)
{
    const QRect& b = t.box;
    return QStringLiteral("\"%1\" (%2,%3 %4x%5)").arg(t.text).arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height());
}

// The pixels a line covers: its length and its pen's width across it.
QRect LineBox(const RecordingCanvas::DrawnLine& l)
{
    const QRect span = QRect(l.from, l.to).normalized();
    const int before = (l.width - 1) / 2, after = l.width / 2;
    if (l.from.y() == l.to.y())
        return span.adjusted(0, -before, 0, after);
    if (l.from.x() == l.to.x())
        return span.adjusted(-before, 0, after, 0);
    return span;  // a slanted line: its bounding box
}

}  // namespace

QStringList LayoutFaults(const RecordingCanvas& canvas, const QRect& bounds, int minPixels)
{
    QVector<RecordingCanvas::DrawnText> texts;
    for (const auto& t : canvas.texts)
        if (!t.text.trimmed().isEmpty() && !t.box.isEmpty())
            texts += t;

    QStringList faults;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const auto& a = texts[i];
        if (!bounds.contains(a.box))
            faults += Describe(a) + QStringLiteral(" leaves the page");
        if (a.pixelHeight < minPixels)
            faults += Describe(a) + QStringLiteral(" is too small to read");
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            if (a.box.intersects(texts[j].box))
                faults += Describe(a) + QStringLiteral(" overlaps ") + Describe(texts[j]);
        for (const auto& l : canvas.lines) {
            if (l.colour == a.background)
                continue;
            if (a.box.intersects(LineBox(l)))
                faults += Describe(a) + QStringLiteral(" is crossed by the line %1,%2 %3,%4")
                                            .arg(l.from.x())
                                            .arg(l.from.y())
                                            .arg(l.to.x())
                                            .arg(l.to.y());
        }
    }
    return faults;
}

}  // namespace tavrola::test
