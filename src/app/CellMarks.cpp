#include "app/CellMarks.h"

#include "roster/Colours.h"
#include "roster/GridGeometry.h"
#include "roster/StatusLegend.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tavrola {

namespace {
constexpr int kPad = 2;
// The glyphs' ink: near black, legible on every background a box takes.
const QColor kGlyphInk(0x20, 0x20, 0x20);
const QColor kBadNumberInk(0xB0, 0x00, 0x00);
}  // namespace

CellMarks::CellMarks(QLineEdit* box) : QWidget(box), box_(box)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    box->installEventFilter(this);
    hide();
}

void CellMarks::setMarks(const QString& glyphs, bool breach)
{
    if (glyphs == glyphs_ && breach == breach_)
        return;
    glyphs_ = glyphs;
    breach_ = breach;
    const bool any = breach_ || !glyphs_.isEmpty();
    place();
    setVisible(any);
    update();
    const int reserve = any ? width() + kPad + 1 : 0;
    if (box_->textMargins().right() != reserve)
        box_->setTextMargins(0, 0, reserve, 0);
}

bool CellMarks::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_ && event->type() == QEvent::Resize)
        place();
    return false;
}

// As high as a line of the box's text, at least 10 pixels, within the box's frame.
int CellMarks::triangleSide() const
{
    return std::clamp(box_->fontMetrics().height(), 10, kGridEditHeight - 4);
}

QFont CellMarks::glyphFont() const
{
    QFont f = box_->font();
    f.setBold(true);
    return f;
}

void CellMarks::place()
{
    const int s = triangleSide();
    const int text = glyphs_.isEmpty() ? 0 : QFontMetrics(glyphFont()).horizontalAdvance(glyphs_) + 1;
    const int w = text + (breach_ ? s : 0) + (text && breach_ ? kPad : 0);
    setGeometry(box_->width() - w - kPad, (box_->height() - s) / 2, std::max(w, 1), s);
}

void CellMarks::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!glyphs_.isEmpty()) {
        // A bad number's "!" is red, like the box's frame; the other glyphs near black.
        p.setFont(glyphFont());
        const QString& bad = MarkOf(Status::BadNumber).glyph;
        const bool endsBad = glyphs_.endsWith(bad);
        const QString rest = endsBad ? glyphs_.chopped(bad.size()) : glyphs_;
        const QRect room(0, 0, width() - (breach_ ? triangleSide() + kPad : 0), height());
        p.setPen(kGlyphInk);
        p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, rest);
        if (endsBad) {
            p.setPen(kBadNumberInk);
            p.drawText(room.adjusted(p.fontMetrics().horizontalAdvance(rest), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       bad);
        }
    }
    if (breach_) {
        const int s = triangleSide();
        paintBreach(p, QPointF(width() - s, 0), s);
    }
}

void CellMarks::paintBreach(QPainter& p, QPointF at, qreal s)
{
    p.save();
    p.translate(at);
    QPainterPath triangle;
    triangle.moveTo(s / 2, 0.5);
    triangle.lineTo(s - 0.5, s - 0.5);
    triangle.lineTo(0.5, s - 0.5);
    triangle.closeSubpath();
    p.fillPath(triangle, toQColor(BreachMarkColour));
    // The "!" as a bar and a dot, white on the triangle.
    const qreal stroke = std::max<qreal>(1.2, s / 7);
    p.setPen(QPen(Qt::white, stroke, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(s / 2, s * 0.34), QPointF(s / 2, s * 0.66));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(s / 2, s * 0.8), stroke * 0.6, stroke * 0.6);
    p.restore();
}

}  // namespace tavrola
