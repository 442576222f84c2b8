#include "print/PrintPdf.h"

#include "print/PrintCommands.h"
#include "print/PortraitPrint.h"
#include "render/PainterCanvas.h"
#include "util/Locale.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace tavrola {

namespace {
// A portrait whose figures do not convert fails before anything is drawn.
bool CheckSheet(const PrintSheet& sheet, PageOrientation layout, QString* error)
{
    PortraitFigures figures;
    return layout == PageOrientation::Landscape || ComputePortraitFigures(sheet.Week, &figures, error);
}
}  // namespace

QPageLayout PrintPageLayout(PageOrientation layout)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       layout == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

bool RenderPrintPdf(const PrintSheet& sheet, PageOrientation layout, QByteArray* pdf, QString* error)
{
    if (!CheckSheet(sheet, layout, error))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(PrintPageLayout(layout));
        writer.setCreator(QStringLiteral("Tavrola"));
        writer.setTitle(QStringLiteral("%1 %2, week commencing %3")
                            .arg(sheet.RotaTitle, sheet.Ward, LongDateText(sheet.WeekDate)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            *error = QStringLiteral("The PDF page could not be started");
            return false;
        }
        const QRect page = writer.pageLayout().paintRectPixels(kPdfResolution);
        PainterCanvas canvas(painter, page.width(), page.height());
        const bool drawn = DrawPrintPage(canvas, sheet, layout, error);
        painter.end();
        if (!drawn)
            return false;
    }
    *pdf = bytes;
    return true;
}

bool RenderPrintImage(const PrintSheet& sheet, PageOrientation layout, int dpi, QImage* image, QString* error)
{
    if (dpi < kMinImageDpi || dpi > kMaxImageDpi) {
        *error = QStringLiteral("A page picture is drawn at %1 to %2 dots per inch, not %3")
                     .arg(kMinImageDpi)
                     .arg(kMaxImageDpi)
                     .arg(dpi);
        return false;
    }
    if (!CheckSheet(sheet, layout, error))
        return false;
    const QPageLayout pageLayout = PrintPageLayout(layout);
    const QRect full = pageLayout.fullRectPixels(dpi);
    const QRect page = pageLayout.paintRectPixels(dpi);
    QImage picture(full.size(), QImage::Format_RGB32);
    if (picture.isNull()) {
        *error = QStringLiteral("Not enough memory for a page picture at %1 dots per inch").arg(dpi);
        return false;
    }
    picture.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(page.topLeft());
    PainterCanvas canvas(painter, page.width(), page.height());
    const bool drawn = DrawPrintPage(canvas, sheet, layout, error);
    painter.end();
    if (drawn)
        *image = picture;
    return drawn;
}

}  // namespace tavrola
