#pragma once
#include "print/PrintSheet.h"

#include <QPrintPreviewDialog>

namespace tavrola {

// Qt's print preview of the week: the dialog's landscape and portrait buttons switch
// between the two layouts, and its print button prints the one shown.
class PrintPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    PrintPreview(const PrintSheet& sheet, QWidget* parent = nullptr);

    int pagesDrawn() const { return pagesDrawn_; }

private:
    void paintPage(QPrinter* printer);

    PrintSheet sheet_;
    int pagesDrawn_ = 0;
};

}  // namespace tavrola
