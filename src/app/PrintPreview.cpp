#include "app/PrintPreview.h"

#include "print/PrintCommands.h"
#include "render/PainterCanvas.h"

#include <QPainter>
#include <QPrinter>

namespace tavrola {

PrintPreview::PrintPreview(const PrintSheet& sheet, QWidget* parent)
    : sheet_(sheet), dialog_(&printer_, parent)
{
    dialog_.setWindowTitle(QStringLiteral("Print Preview"));
    printer_.setPageOrientation(QPageLayout::Landscape);
    QObject::connect(&dialog_, &QPrintPreviewDialog::paintRequested, &dialog_,
                     [this](QPrinter* printer) { paintPage(printer); });
}

void PrintPreview::paintPage(QPrinter* printer)
{
    const PageOrientation layout = printer->pageLayout().orientation() == QPageLayout::Landscape
                                       ? PageOrientation::Landscape
                                       : PageOrientation::Portrait;
    QPainter painter(printer);
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    PainterCanvas canvas(painter, page.width(), page.height());
    QString error;
    // A page that cannot be drawn says why where it would have been.
    if (!DrawPrintPage(canvas, sheet_, layout, &error)) {
        canvas.setFontSize(10);
        canvas.textOut(0, 0, error);
    }
    ++pagesDrawn_;
}

}  // namespace tavrola
