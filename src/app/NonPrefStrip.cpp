#include "app/NonPrefStrip.h"

#include "render/PainterCanvas.h"

#include <QPainter>

namespace tavrola {

void NonPrefStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PainterCanvas canvas(painter, width(), height());
    DrawNonPrefChart(canvas, chart_);
}

}  // namespace tavrola
