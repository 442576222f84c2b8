#include "render/RecordingCanvas.h"

namespace tavrola {

namespace {
QString hex(Colour c) { return QStringLiteral("%1").arg(c, 6, 16, QLatin1Char('0')); }
QString rect(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}
}  // namespace

void RecordingCanvas::setFont(const Font& font)
{
    font_ = font;
    calls += QStringLiteral("font %1 %2%3 angle %4 %5")
                 .arg(font.face)
                 .arg(font.pixelHeight)
                 .arg(font.bold ? QStringLiteral(" bold") : QString())
                 .arg(font.angle)
                 .arg(hex(font.colour));
}

void RecordingCanvas::setPen(Colour colour, int width)
{
    pen_ = colour;
    penWidth_ = width;
    calls += QStringLiteral("pen %1 %2").arg(hex(colour)).arg(width);
}

void RecordingCanvas::setBrush(Colour colour)
{
    brush_ = colour;
    calls += QStringLiteral("brush %1").arg(hex(colour));
}

void RecordingCanvas::fillRect(const QRect& r)
{
    calls += QStringLiteral("fill ") + rect(r);
}

void RecordingCanvas::rectangle(const QRect& r)
{
    calls += QStringLiteral("rectangle ") + rect(r);
    if (penWidth_ > 0) {
        const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
        for (int i = 0; i < 4; ++i)
            lines += {corners[i], corners[(i + 1) % 4], pen_, penWidth_};
    }
}

void RecordingCanvas::polygon(const QVector<QPoint>& points)
{
    QStringList pts;
    for (const QPoint& p : points)
        pts += QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    calls += QStringLiteral("polygon ") + pts.join(u' ');
}

void RecordingCanvas::line(QPoint from, QPoint to)
{
    calls += QStringLiteral("line %1,%2 %3,%4").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y());
    if (penWidth_ > 0)
        lines += {from, to, pen_, penWidth_};
}

void RecordingCanvas::textOut(int x, int y, const QString& text)
{
    calls += QStringLiteral("text %1,%2 %3").arg(x).arg(y).arg(text);
    const int w = textWidth(text), h = textHeight(text);
    // Turned counter-clockwise about its top-left corner: at 90 degrees it runs upward.
    QRect box(x, y, w, h);
    if (font_.angle == 90)
        box = QRect(x, y - w, h, w);
    else if (font_.angle == 270)
        box = QRect(x - h, y, h, w);
    texts += {box, text, brush_, font_.pixelHeight};
}

int RecordingCanvas::textWidth(const QString& text) const
{
    return int(text.size()) * font_.pixelHeight / 2;
}

int RecordingCanvas::textHeight(const QString&) const
{
    return font_.pixelHeight + font_.pixelHeight / 6;
}

}  // namespace tavrola
