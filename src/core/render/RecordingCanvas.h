#pragma once
#include "render/Canvas.h"

#include <QStringList>

namespace tavrola {

// A Canvas that draws nothing and records every call as a line of text, with fixed text
// metrics (every character is half the font's pixel height wide; a line is the pixel
// height high), so tests can check layout arithmetic exactly.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    QStringList calls;

    int width() const override { return width_; }
    int height() const override { return height_; }
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
    int width_, height_;
    Font font_;
    Colour brush_ = White;
};

}  // namespace tavrola
