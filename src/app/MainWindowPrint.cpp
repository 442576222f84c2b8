#include "app/MainWindow.h"
#include "document/WeekPrintSheet.h"

#include "app/GridView.h"
#include "app/PrintPreview.h"
#include "print/PrintCommands.h"
#include "render/PainterCanvas.h"

#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <cmath>

namespace tavrola {

void MainWindow::buildPrintMenu()
{
    QMenu* print = menuBar()->addMenu(tr("&Print"));
    print->addAction(tr("Print Landscape"), QKeySequence::Print, this, &MainWindow::PrintClick);
    print->addAction(tr("Print Portrait"), this, &MainWindow::PrintPortrait1Click);
    print->addSeparator();
    print->addAction(tr("Print Preview…"), this, &MainWindow::PrintPreviewClick);
    print->addAction(tr("Export PDF…"), this, &MainWindow::ExportPdfClick);
}

PrintSheet MainWindow::printSheet() const
{
    PrintSheet sheet = PrintSheetFor(model_, model_.Labels);
    sheet.Hospital = grid_->HospitalNameLabel->text();
    sheet.RotaTitle = grid_->TavrolaLabel->text();
    sheet.WeekCommencing = grid_->LabelWeekCommencing->text();
    sheet.Ward = grid_->WardNameLabel->text();
    sheet.Footer = grid_->FooterLabel->text();
    sheet.Signature = grid_->SisterSignatureLabel->text();
    for (int day = 1; day <= kDays; ++day) {
        sheet.Holidays[day] = grid_->HolidayLabels[day]->text();
        sheet.DayHeadings[day] = grid_->DayLabels[day]->text();
    }
    return sheet;
}

namespace {
// A canvas at the screen's resolution, for the trace's comparison with the printer.
struct ScreenProbe {
    explicit ScreenProbe(int dpi) : image(1, 1, QImage::Format_RGB32)
    {
        const int dotsPerMeter = int(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        painter.begin(&image);
    }
    QImage image;
    QPainter painter;
};
}  // namespace

void MainWindow::PrintClick()
{
    ScreenProbe probe(logicalDpiY());
    PainterCanvas screen(probe.painter, 1, 1);
    tavrola::PrintClick(printSheet(), *ui_, &screen);
}

void MainWindow::PrintPortrait1Click()
{
    ScreenProbe probe(logicalDpiY());
    PainterCanvas screen(probe.painter, 1, 1);
    tavrola::PrintPortrait(printSheet(), *ui_, &screen);
}

void MainWindow::PrintPreviewClick()
{
    PrintPreview preview(printSheet(), this);
    preview.dialog().exec();
}

void MainWindow::ExportPdfClick()
{
    tavrola::ExportPdfClick(printSheet(), *ui_, model_.Week.DataFolder);
}

}  // namespace tavrola
