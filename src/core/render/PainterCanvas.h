#pragma once
#include "render/Canvas.h"

class QPainter;

namespace tavrola {

// A Canvas over a QPainter: on a widget, a QImage, a QPdfWriter or a QPrinter.
class PainterCanvas : public Canvas {
public:
    PainterCanvas(QPainter& painter, int width, int height);

    int width() const override { return width_; }
    int height() const override { return height_; }
    int dpi() const override;
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
    QPainter& p_;
    int width_, height_;
    Font font_;
    Colour brush_ = White;
};

}  // namespace tavrola
