#include "app/QtUi.h"

#include "render/PainterCanvas.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace tavrola {

namespace {

// One document on the chosen printer; the painter's origin is the printable area's corner.
class PrinterJob : public PrintJob {
public:
    explicit PrinterJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

    Canvas* begin(QString* error) override
    {
        if (!painter_.begin(printer_.get())) {
            *error = QStringLiteral("The printer \"%1\" could not start printing.").arg(printer_->printerName());
            return nullptr;
        }
        const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
        canvas_ = std::make_unique<PainterCanvas>(painter_, page.width(), page.height());
        return canvas_.get();
    }

    bool end(QString* error) override
    {
        canvas_.reset();
        if (!painter_.end() || printer_->printerState() == QPrinter::Error) {
            *error = QStringLiteral("The printer \"%1\" could not finish printing.").arg(printer_->printerName());
            return false;
        }
        return true;
    }

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::unique_ptr<PainterCanvas> canvas_;
};

}  // namespace

std::unique_ptr<PrintJob> QtUi::choosePrinter(PageOrientation orientation)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    QPrintDialog dialog(printer.get(), parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<PrinterJob>(std::move(printer));
}

int QtUi::chooseAmong(const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::Cancel, parent_);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons += box.addButton(choice, QMessageBox::AcceptRole);
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

}  // namespace tavrola
