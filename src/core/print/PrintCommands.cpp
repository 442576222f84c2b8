#include "print/PrintCommands.h"

#include "print/LandscapePrint.h"
#include "print/PortraitPrint.h"
#include "print/PrintPdf.h"
#include "render/Canvas.h"
#include "util/FileAccess.h"
#include "util/TraceLog.h"

namespace tavrola {

namespace {

// What the printer gives, beside what the screen would, for the trace.
void TracePrinter(Canvas& printer, const PrintSheet& sheet, const Canvas* screen)
{
    printer.setFontSize(12);
    TraceLog(QStringLiteral("Printer Page - Height:%1 Width:%2").arg(printer.height()).arg(printer.width()));
    TraceLog(QStringLiteral("Printer Font - Name:%1 Size:12").arg(printer.font().face));
    TraceLog(QStringLiteral("Printer Canvas TextWidth & TextHeight:%1 %2")
                 .arg(printer.textWidth(sheet.Hospital))
                 .arg(printer.textHeight(sheet.Hospital)));
    if (!screen)
        return;
    TraceLog(QStringLiteral("Paintbo Canvas TextWidth & TextHeight:%1 %2")
                 .arg(screen->textWidth(sheet.Hospital))
                 .arg(screen->textHeight(sheet.Hospital)));
    TraceLog(QStringLiteral("Paintbo Canvas PixelsPerInch:%1 %2").arg(screen->dpi()).arg(printer.dpi()));
}

bool PrintPage(const PrintSheet& sheet, Ui& ui, PageOrientation layout, const Canvas* screen)
{
    std::unique_ptr<PrintJob> job = ui.choosePrinter(layout);
    if (!job)
        return false;
    QString error;
    Canvas* printer = job->begin(&error);
    if (!printer) {
        ui.showError(error);
        return false;
    }
    TracePrinter(*printer, sheet, screen);
    const int lineSpace = layout == PageOrientation::Landscape ? LandscapeLineSpace(printer->height())
                                                               : PortraitLineSpace(printer->height());
    QString line = QStringLiteral("LineSpace (in pixels):%1").arg(lineSpace);
    if (layout == PageOrientation::Landscape && screen && screen->dpi() > 0)
        line += QStringLiteral(" XScale (magnification):%1")
                    .arg(double(printer->dpi()) / screen->dpi(), 3, 'f', 2);
    TraceLog(line);
    const bool drawn = DrawPrintPage(*printer, sheet, layout, &error);
    QString endError;
    const bool ended = job->end(&endError);
    if (!drawn || !ended) {
        ui.showError(drawn ? endError : error);
        return false;
    }
    return true;
}

}  // namespace

bool DrawPrintPage(Canvas& canvas, const PrintSheet& sheet, PageOrientation layout, QString* error)
{
    if (layout == PageOrientation::Portrait)
        return DrawPortraitPrint(canvas, sheet, error);
    DrawLandscapePrint(canvas, sheet);
    return true;
}

bool PrintClick(const PrintSheet& sheet, Ui& ui, const Canvas* screen)
{
    TraceLog(QStringLiteral("INTO DIRECT GRAPHICS PRINT TAVROLA FORM"));
    return PrintPage(sheet, ui, PageOrientation::Landscape, screen);
}

bool PrintPortrait(const PrintSheet& sheet, Ui& ui, const Canvas* screen)
{
    TraceLog(QStringLiteral("INTO DIRECT GRAPHICS PrintPortrait FORM"));
    // Figures that do not convert stop the print before a printer is chosen.
    PortraitFigures figures;
    QString error;
    if (!ComputePortraitFigures(sheet.Week, &figures, &error)) {
        ui.showError(error);
        return false;
    }
    return PrintPage(sheet, ui, PageOrientation::Portrait, screen);
}

bool ExportPdfClick(const PrintSheet& sheet, Ui& ui, const QString& folder)
{
    const int choice = ui.chooseAmong(QStringLiteral("Export the week as a PDF page in which layout?"),
                                      {QStringLiteral("Landscape"), QStringLiteral("Portrait")});
    if (choice < 0)
        return false;
    const PageOrientation layout = choice == 0 ? PageOrientation::Landscape : PageOrientation::Portrait;
    const QString suggested = QStringLiteral("Tavrola %1 %2.pdf")
                                  .arg(sheet.WeekDate.toString(Qt::ISODate),
                                       choice == 0 ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    const QString path = ui.chooseSaveFile(QStringLiteral("Export PDF"), folder, suggested,
                                           QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return false;
    QByteArray pdf;
    QString error;
    if (!RenderPrintPdf(sheet, layout, &pdf, &error) || !WriteFileAtomically(path, pdf, &error)) {
        ui.showError(error);
        return false;
    }
    return true;
}

}  // namespace tavrola
