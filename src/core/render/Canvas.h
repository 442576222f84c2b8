#pragma once
#include "roster/Colours.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tavrola {

// One drawing API for the screen, bitmaps, the printer and tests. Colours are the
// program's 0x00BBGGRR values. Text is positioned by its top-left corner.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    // The target's resolution in pixels per inch: a printer's own, about 96 on a screen.
    virtual int dpi() const = 0;

    struct Font {
        QString face = QStringLiteral("DejaVu Sans");
        int pixelHeight = 12;
        bool bold = false;
        int angle = 0;  // degrees, counter-clockwise
        Colour colour = 0x000000;
        bool operator==(const Font&) const = default;
    };
    virtual void setFont(const Font& font) = 0;
    virtual Font font() const = 0;
    // The current face in `points` points at the target's resolution (points x dpi / 72,
    // rounded), regular or bold; angle and colour stay.
    void setFontSize(int points, bool bold = false);

    virtual void setPen(Colour colour, int width) = 0;
    virtual void setBrush(Colour colour) = 0;
    virtual Colour brush() const = 0;

    // Filled with the brush, no outline.
    virtual void fillRect(const QRect& r) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void rectangle(const QRect& r) = 0;
    virtual void polygon(const QVector<QPoint>& points) = 0;
    virtual void line(QPoint from, QPoint to) = 0;
    // Text on the brush colour as its background.
    virtual void textOut(int x, int y, const QString& text) = 0;
    // Measured in the current font on the target itself.
    virtual int textWidth(const QString& text) const = 0;
    virtual int textHeight(const QString& text) const = 0;
};

// Makes the canvas's font smaller, never larger, until `text` is at most `width` wide and
// its line at most `height` high (height 0: any). A text that fits keeps the font.
void ShrinkToFit(Canvas& canvas, const QString& text, int width, int height = 0);

// Writes `text` at (x, y), shrunk to fit `width` (and `height`, 0 for any); the canvas's
// font is put back afterwards.
void FittedText(Canvas& canvas, int x, int y, const QString& text, int width, int height = 0);

// Puts `items` on as few lines as fit `width`, joined by `separator`, shrinking the
// canvas's font until all the lines fit `height` together. The font is left as chosen.
QStringList WrapToFit(Canvas& canvas, const QStringList& items, const QString& separator, int width, int height);

// Pixel height of a font of `points` points at `dpi`, rounded half away from zero.
int PointsToPixels(int points, int dpi);

}  // namespace tavrola
