#pragma once
#include "Ui.h"
#include "print/PrintSheet.h"

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QString>

namespace tavrola {

// Pixels per inch of an exported PDF page, as a good printer has.
inline constexpr int kPdfResolution = 1200;
// Resolutions a page picture may be drawn at.
inline constexpr int kMinImageDpi = 10;
inline constexpr int kMaxImageDpi = 600;

// An A4 page in the layout's orientation, with 5 mm margins as a printer's unprintable
// edge: the layouts measure from the printable area's edges.
QPageLayout PrintPageLayout(PageOrientation layout);

// The week's page in the layout as a one-page PDF, or as a picture of the whole A4 page
// (white, margins included) at `dpi`. Both need a QGuiApplication (fonts). False, with
// the reason, when the page cannot be drawn.
bool RenderPrintPdf(const PrintSheet& sheet, PageOrientation layout, QByteArray* pdf, QString* error);
bool RenderPrintImage(const PrintSheet& sheet, PageOrientation layout, int dpi, QImage* image, QString* error);

}  // namespace tavrola
