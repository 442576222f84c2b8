#include "app/NonPrefStrip.h"

#include "render/PainterCanvas.h"
#include "roster/CellExplanation.h"
#include "roster/GridGeometry.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace tavrola {

void NonPrefStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PainterCanvas canvas(painter, width(), height());
    DrawNonPrefChart(canvas, chart_);
}

bool NonPrefStrip::event(QEvent* e)
{
    if (e->type() != QEvent::ToolTip)
        return QWidget::event(e);
    auto* help = static_cast<QHelpEvent*>(e);
    const int line = help->pos().y() / kGridLineStep + 1;
    for (const NonPrefBar& bar : chart_.Bars) {
        if (bar.line == line) {
            QToolTip::showText(help->globalPos(), ExplainNonPrefBar(bar.count, analysisStart_), this);
            return true;
        }
    }
    QToolTip::hideText();
    e->ignore();
    return true;
}

}  // namespace tavrola
