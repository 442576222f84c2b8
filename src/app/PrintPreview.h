#pragma once
#include "print/PrintSheet.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tavrola {

// Qt's print preview of the week on a high-resolution printer: the dialog's landscape and
// portrait buttons switch between the two layouts, and its print button prints the one
// shown.
class PrintPreview {
public:
    PrintPreview(const PrintSheet& sheet, QWidget* parent = nullptr);

    QPrintPreviewDialog& dialog() { return dialog_; }
    int pagesDrawn() const { return pagesDrawn_; }

private:
    void paintPage(QPrinter* printer);

    PrintSheet sheet_;
    QPrinter printer_{QPrinter::HighResolution};
    QPrintPreviewDialog dialog_;  // after the printer it shows
    int pagesDrawn_ = 0;
};

}  // namespace tavrola
