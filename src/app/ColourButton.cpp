#include "app/ColourButton.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tavrola {

namespace {

struct KindFacts {
    const char* caption;
    bool isDefault, cancel;
    int modalResult;
    const char* symbol;  // drawn as the kind's glyph
    QRgb symbolColour;
};

const KindFacts& FactsOf(ColourButton::Kind kind)
{
    static const KindFacts facts[] = {
        {"", false, false, 0, "", 0},
        {"OK", true, false, 1, "\u2714", 0xff008000},
        {"Cancel", false, true, 2, "\u2716", 0xffc00000},
        {"&Help", false, false, 0, "?", 0xff000080},
        {"&Yes", true, false, 6, "\u2714", 0xff008000},
        {"&No", false, true, 7, "\u2718", 0xffc00000},
        {"&Close", false, false, 0, "\u21b5", 0xff808000},
        {"Abort", false, false, 3, "\u25cf", 0xffc00000},
        {"&Retry", false, false, 4, "\u21bb", 0xff008000},
        {"&Ignore", false, false, 5, "\u2192", 0xff000080},
        {"&All", false, false, 8, "\u2714\u2714", 0xff008000},
    };
    return facts[int(kind)];
}

// The kind's glyph strip: an 18 x 18 up image and its disabled image, on a transparent
// background, drawn once per kind.
QPixmap KindGlyph(ColourButton::Kind kind)
{
    const KindFacts& f = FactsOf(kind);
    QPixmap strip(36, 18);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    QFont font = QApplication::font();
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor::fromRgba(f.symbolColour));
    p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, QString::fromUtf8(f.symbol));
    p.setPen(QColor(128, 128, 128));
    p.drawText(QRect(18, 0, 18, 18), Qt::AlignCenter, QString::fromUtf8(f.symbol));
    return strip;
}

}  // namespace

ColourButton::ColourButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent), colour_(palette().color(QPalette::Button)),
      textColour_(palette().color(QPalette::ButtonText))
{
    connect(this, &QPushButton::clicked, this, &ColourButton::onClicked);
}

void ColourButton::setColour(const QColor& colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();  // the state images are built on the colour as they are drawn
}

void ColourButton::setTextColour(const QColor& colour)
{
    textColour_ = colour;
    update();
}

void ColourButton::setGlyph(const QPixmap& strip)
{
    glyph_ = strip;
    if (!strip.isNull() && strip.height() > 0 && strip.width() % strip.height() == 0) {
        const int n = strip.width() / strip.height();
        numGlyphs_ = n < 5 ? n : 1;
    }
    userGlyph_ = true;
    update();
}

void ColourButton::setNumGlyphs(int n)
{
    numGlyphs_ = std::clamp(n, 1, 4);
    update();
}

void ColourButton::setGlyphLayout(GlyphLayout layout)
{
    layout_ = layout;
    update();
}

void ColourButton::setMargin(int margin)
{
    margin_ = margin;
    update();
}

void ColourButton::setSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void ColourButton::setKind(Kind kind)
{
    if (kind == kind_ && kind == Kind::Custom)
        return;
    kind_ = kind;
    if (kind == Kind::Custom)
        return;
    const KindFacts& f = FactsOf(kind);
    setDefault(f.isDefault);
    cancel_ = f.cancel;
    modalResult_ = f.modalResult;
    setText(QString::fromLatin1(f.caption));
    static QPixmap shared[11];  // one strip per kind, shared by all buttons
    if (shared[int(kind)].isNull())
        shared[int(kind)] = KindGlyph(kind);
    glyph_ = shared[int(kind)];
    numGlyphs_ = 2;
    userGlyph_ = false;
    update();
}

ColourButton::Kind ColourButton::kind() const
{
    if (kind_ == Kind::Custom)
        return kind_;
    const KindFacts& f = FactsOf(kind_);
    if (isDefault() != f.isDefault || cancel_ != f.cancel || modalResult_ != f.modalResult || userGlyph_)
        return Kind::Custom;
    return kind_;
}

void ColourButton::onClicked()
{
    if (kind() == Kind::Close) {
        if (QWidget* w = window())
            w->close();
        return;
    }
    if (modalResult_ != 0)
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(modalResult_);
}

ColourButton::Placement ColourButton::Place(const QRect& r, const QSize& glyph, const QSize& caption,
                                            GlyphLayout layout, int margin, int spacing)
{
    const bool horizontal = layout == GlyphLayout::Left || layout == GlyphLayout::Right;
    const int extent = horizontal ? r.width() : r.height();
    const int g = horizontal ? glyph.width() : glyph.height();
    const int c = horizontal ? caption.width() : caption.height();
    if (caption.width() == 0 || glyph.width() == 0)
        spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = spacing = (extent - g - c) / 3;
    } else if (margin == -1) {
        margin = (extent - (g + spacing + c) + 1) / 2;
    } else if (spacing == -1) {
        spacing = (extent - (margin + g) - c) / 2;
    }
    int glyphAt, captionAt;
    if (layout == GlyphLayout::Left || layout == GlyphLayout::Top) {
        glyphAt = margin;
        captionAt = margin + g + spacing;
    } else {
        glyphAt = extent - margin - g;
        captionAt = glyphAt - spacing - c;
    }
    const int across = horizontal ? r.height() : r.width();
    auto centred = [across](int size) { return (across - size + 1) / 2; };
    Placement p;
    if (horizontal) {
        p.glyph = QRect(r.left() + glyphAt, r.top() + centred(glyph.height()), glyph.width(), glyph.height());
        p.caption = QRect(r.left() + captionAt, r.top() + centred(caption.height()), caption.width(), caption.height());
    } else {
        p.glyph = QRect(r.left() + centred(glyph.width()), r.top() + glyphAt, glyph.width(), glyph.height());
        p.caption = QRect(r.left() + centred(caption.width()), r.top() + captionAt, caption.width(), caption.height());
    }
    return p;
}

QPixmap ColourButton::stateImage(int state) const
{
    if (glyph_.isNull() || glyph_.width() == 0 || glyph_.height() == 0)
        return QPixmap();
    const int w = glyph_.width() / numGlyphs_;
    int index = state < numGlyphs_ ? state : 0;
    if (state == 2 && numGlyphs_ < 3)
        index = 0;
    const bool ownDisabled = state == 1 && numGlyphs_ >= 2;
    const QPixmap cell = glyph_.copy((ownDisabled ? 1 : index) * w, 0, w, glyph_.height());
    QPixmap image(cell.size());
    image.fill(state == 3 ? Qt::transparent : colour_);
    QPainter p(&image);
    if (state == 1 && !ownDisabled) {
        // Embossed: the shape in the highlight colour one pixel down and right, then in
        // the shadow colour.
        QImage mask = cell.toImage().convertToFormat(QImage::Format_ARGB32);
        auto tinted = [&mask](const QColor& c) {
            QImage t = mask;
            for (int y = 0; y < t.height(); ++y)
                for (int x = 0; x < t.width(); ++x)
                    if (qAlpha(t.pixel(x, y)) > 0)
                        t.setPixel(x, y, c.rgba());
            return t;
        };
        p.drawImage(1, 1, tinted(palette().color(QPalette::Light)));
        p.drawImage(0, 0, tinted(palette().color(QPalette::Dark)));
    } else {
        p.drawPixmap(0, 0, cell);
    }
    return image;
}

QSize ColourButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const QSize caption = fm.size(Qt::TextShowMnemonic, text());
    const int g = glyph_.isNull() ? 0 : glyph_.width() / numGlyphs_;
    return QSize(caption.width() + g + 24, std::max(caption.height(), glyph_.height()) + 12);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    const bool pressed = isDown();
    const int state = !isEnabled() ? 1 : pressed ? 2 : 0;
    const bool active = hasFocus() || isDefault();

    if (active) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    QColor pen = colour_;
    if (!pressed) {
        // Raised edge, outer and inner.
        const QColor light = palette().color(QPalette::Light), mid = palette().color(QPalette::Midlight);
        const QColor dark = palette().color(QPalette::Shadow), shadow = palette().color(QPalette::Dark);
        auto edge = [&p](const QRect& e, const QColor& topLeft, const QColor& bottomRight) {
            p.setPen(topLeft);
            p.drawLine(e.topLeft(), e.topRight());
            p.drawLine(e.topLeft(), e.bottomLeft());
            p.setPen(bottomRight);
            p.drawLine(e.bottomLeft(), e.bottomRight());
            p.drawLine(e.topRight(), e.bottomRight());
        };
        edge(r, light, dark);
        edge(r.adjusted(1, 1, -1, -1), mid, shadow);
        r.adjust(2, 2, -2, -2);
    } else {
        pen = palette().color(QPalette::Dark);
    }
    p.setPen(pen);
    p.setBrush(colour_);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
    if (active)
        r = rect().adjusted(1, 1, -1, -1);
    p.setFont(font());
    if (pressed)
        r.translate(1, 1);

    const QFontMetrics fm(font());
    const QSize caption = text().isEmpty() ? QSize(0, 0) : fm.size(Qt::TextShowMnemonic, text()).boundedTo(QSize(r.width(), 10000));
    const QPixmap image = stateImage(state);
    const QSize glyph = image.isNull() ? QSize(0, 0) : image.size();
    const Placement place = Place(r, glyph, caption, layout_, margin_, spacing_);
    if (!image.isNull())
        p.drawPixmap(place.glyph.topLeft(), image);
    if (!text().isEmpty()) {
        if (isEnabled()) {
            p.setPen(textColour_);
            p.drawText(place.caption, Qt::AlignCenter | Qt::TextShowMnemonic, text());
        } else {
            // Disabled: white, then grey over it, from the top-left.
            p.setPen(Qt::white);
            p.drawText(place.caption.translated(1, 1), Qt::TextShowMnemonic, text());
            p.setPen(QColor(128, 128, 128));
            p.drawText(place.caption, Qt::TextShowMnemonic, text());
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        focus.backgroundColor = colour_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

}  // namespace tavrola
