#include "app/BrushArt.h"

#include "roster/DutyCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavrola {

namespace {
struct Badge {
    const char* text;
    QRgb fill;
    QRgb ink;
};

Badge badgeOf(Brush b)
{
    switch (b) {
    case Brush::AM: return {"AM", qRgb(255, 205, 40), qRgb(0, 0, 0)};
    case Brush::PM: return {"PM", qRgb(245, 124, 0), qRgb(0, 0, 0)};
    case Brush::N: return {"N", qRgb(26, 35, 126), qRgb(255, 255, 255)};
    case Brush::Holiday: return {"H", qRgb(123, 31, 162), qRgb(255, 255, 255)};
    case Brush::Sick: return {"S", qRgb(198, 40, 40), qRgb(255, 255, 255)};
    case Brush::Leave: return {"L", qRgb(0, 121, 107), qRgb(255, 255, 255)};
    case Brush::Training: return {"T", qRgb(93, 64, 55), qRgb(255, 255, 255)};
    case Brush::None: break;
    }
    return {"", qRgb(255, 255, 255), qRgb(0, 0, 0)};
}

void drawBadge(QPainter& p, const QRectF& r, Brush b)
{
    const Badge badge = badgeOf(b);
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(badge.fill));
    p.drawRoundedRect(r, 4, 4);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(int(r.height() * (badge.text[1] ? 0.55 : 0.75)));
    p.setFont(f);
    p.setPen(QColor(badge.ink));
    p.drawText(r, Qt::AlignCenter, QString::fromLatin1(badge.text));
}

void drawArrow(QPainter& p, qreal scale)
{
    QPainterPath arrow;
    const QPointF pts[] = {{0, 0}, {0, 17}, {4.5, 13}, {7.5, 20}, {10, 19}, {7, 12}, {12.5, 12}};
    arrow.moveTo(pts[0] * scale);
    for (const QPointF& pt : pts)
        arrow.lineTo(pt * scale);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}
}  // namespace

QCursor BrushCursor(Brush brush)
{
    if (brush == Brush::None)
        return QCursor(Qt::ArrowCursor);
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);
    drawArrow(p, 1.0);
    drawBadge(p, QRectF(12, 13, 19, 17), brush);
    p.end();
    return QCursor(pix, 0, 0);
}

QIcon BrushIcon(Brush brush)
{
    QPixmap pix(28, 28);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    if (brush == Brush::None) {
        p.translate(8.5, 3.5);
        drawArrow(p, 1.0);
    } else {
        drawBadge(p, QRectF(1.5, 3.5, 25, 21), brush);
    }
    p.end();
    return QIcon(pix);
}

QCursor CursorForResource(const QString& resourceName)
{
    for (int b = 1; b <= kBrushCount; ++b)
        if (BrushCursorResource(Brush(b)) == resourceName)
            return BrushCursor(Brush(b));
    return QCursor(Qt::ArrowCursor);
}

}  // namespace tavrola
