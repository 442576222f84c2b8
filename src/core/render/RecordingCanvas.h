#pragma once
#include "render/Canvas.h"

#include <QStringList>

namespace tavrola {

// A Canvas that draws nothing and records every call as a line of text, with fixed text
// metrics (every character is half the font's pixel height wide; a line is the pixel
// height and a sixth high, as real faces' lines are), so tests can check layout
// arithmetic exactly. At 144 dpi a font of n points is 2n pixels high and its characters
// n pixels wide.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width, int height, int dpi = 96) : width_(width), height_(height), dpi_(dpi) {}

    QStringList calls;

    // What was drawn, as shapes, for checks of the layout as a whole.
    struct DrawnText {
        QRect box;          // what the text covers, turned by its angle
        QString text;
        Colour background;  // the brush it was written on
        int pixelHeight;
    };
    struct DrawnLine {
        QPoint from, to;
        Colour colour;
        int width;
    };
    QVector<DrawnText> texts;
    QVector<DrawnLine> lines;

    int width() const override { return width_; }
    int height() const override { return height_; }
    int dpi() const override { return dpi_; }
    void setFont(const Font& font) override;
    Font font() const override { return font_; }
    void setPen(Colour colour, int width) override;
    void setBrush(Colour colour) override;
    Colour brush() const override { return brush_; }
    void fillRect(const QRect& r) override;
    void rectangle(const QRect& r) override;
    void polygon(const QVector<QPoint>& points) override;
    void line(QPoint from, QPoint to) override;
    void textOut(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;

private:
    int width_, height_, dpi_;
    Font font_;
    Colour brush_ = White;
    Colour pen_ = 0x000000;
    int penWidth_ = 1;
};

}  // namespace tavrola
