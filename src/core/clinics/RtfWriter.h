#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace tavrola {

// Writes a text document as rich text that WordPad, LibreOffice Writer and Word open:
// \ansi\ansicpg1252 with \uN? escapes for every character outside Windows-1252, a font
// table (entry 0 is the document's default face; the faces used follow), a colour table,
// and one \pard ... \par per block with its alignment. Bold, italic, underline,
// strike-through, face, size and text colour are written per run of text; a line
// separator in a block is written as \line, a tab as \tab. Other control characters
// are left out. Lines end in CR LF. RtfToDocument reads the result back to the same
// blocks, text and formatting.
QByteArray DocumentToRtf(const QTextDocument& doc);

// Saves a document to `path` as above, atomically: the old file stays whole until the
// new one is complete. On failure `error` names the file.
bool SaveRtfDocument(const QTextDocument& doc, const QString& path, QString* error);

}  // namespace tavrola
