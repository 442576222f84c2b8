#include "render/PainterCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace tavrola {

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height)
    : p_(painter), width_(width), height_(height)
{
    setFont(font_);
    setBrush(brush_);
    setPen(0x000000, 1);
}

namespace {
// Latin text where a ligature could form ("fi" in "Griffiths") is set letter by letter,
// so a PDF's text stays letters that search and copy find. Everything else keeps its
// shaping (kerning; other scripts).
QFont FontFor(const QFont& font, const QString& text)
{
    bool ligature = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x250)
            return font;
        if (c == u'f' && i + 1 < text.size() && QStringView(u"fijlt").contains(text[i + 1]))
            ligature = true;
    }
    if (!ligature)
        return font;
    QFont plain = font;
    plain.setStyleStrategy(QFont::PreferNoShaping);
    return plain;
}

// Metrics on the painter's own device: a printer's or PDF's text widths are not the screen's.
QFontMetrics Metrics(const QPainter& p, const QString& text)
{
    const QFont f = FontFor(p.font(), text);
    return p.device() ? QFontMetrics(f, p.device()) : QFontMetrics(f);
}
}  // namespace

int PainterCanvas::dpi() const
{
    return p_.device() ? p_.device()->logicalDpiY() : 96;
}

void PainterCanvas::setFont(const Font& font)
{
    font_ = font;
    QFont f(font.face);
    f.setPixelSize(qMax(1, font.pixelHeight));
    f.setBold(font.bold);
    p_.setFont(f);
}

void PainterCanvas::setPen(Colour colour, int width)
{
    QPen pen(toQColor(colour));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    p_.setPen(width > 0 ? pen : QPen(Qt::NoPen));
}

void PainterCanvas::setBrush(Colour colour)
{
    brush_ = colour;
    p_.setBrush(toQColor(colour));
}

void PainterCanvas::fillRect(const QRect& r)
{
    p_.fillRect(r, toQColor(brush_));
}

void PainterCanvas::rectangle(const QRect& r)
{
    // Outline on the rectangle's edge pixels, as the platform's Rectangle does.
    p_.drawRect(r.adjusted(0, 0, -1, -1));
}

void PainterCanvas::polygon(const QVector<QPoint>& points)
{
    p_.drawPolygon(points.constData(), int(points.size()));
}

void PainterCanvas::line(QPoint from, QPoint to)
{
    p_.drawLine(from, to);
}

void PainterCanvas::textOut(int x, int y, const QString& text)
{
    const QFontMetrics m = Metrics(p_, text);
    p_.save();
    p_.setFont(FontFor(p_.font(), text));
    p_.translate(x, y);
    if (font_.angle != 0)
        p_.rotate(-font_.angle);
    const QRect box(0, 0, m.horizontalAdvance(text), m.height());
    p_.fillRect(box, toQColor(brush_));
    p_.setPen(toQColor(font_.colour));
    p_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    p_.restore();
}

int PainterCanvas::textWidth(const QString& text) const
{
    return Metrics(p_, text).horizontalAdvance(text);
}

int PainterCanvas::textHeight(const QString&) const
{
    return Metrics(p_, QString()).height();
}

}  // namespace tavrola
