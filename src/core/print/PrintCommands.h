#pragma once
#include "Ui.h"
#include "print/PrintSheet.h"

#include <QString>

namespace tavrola {

class Canvas;

// Draws the page of either layout. False, drawing nothing, when the portrait figures do
// not convert (the message names the line).
bool DrawPrintPage(Canvas& canvas, const PrintSheet& sheet, PageOrientation layout, QString* error);

// Print > Print Landscape and Print > Print Portrait: the print dialog through `ui`
// (cancelling prints nothing), then the one page, with trace lines of the printer's page
// and fonts. `screen`, when given, is measured for the trace beside the printer. A print
// that cannot start or end, or a portrait whose figures do not convert (checked before
// the dialog), is reported through `ui`. Returns whether the page was sent.
bool PrintClick(const PrintSheet& sheet, Ui& ui, const Canvas* screen = nullptr);
bool PrintPortrait(const PrintSheet& sheet, Ui& ui, const Canvas* screen = nullptr);

// Print > Export PDF…: asks for the layout and the file, then writes the week as one A4
// page (the old file stays whole until the new one is complete). Returns whether the
// file was written; failures are reported through `ui`.
bool ExportPdfClick(const PrintSheet& sheet, Ui& ui, const QString& folder);

}  // namespace tavrola
