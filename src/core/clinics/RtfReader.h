#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace tavrola {

// Largest rich-text document read. WordPad stores pasted pictures as hex text, so a
// clinic list with a logo can run to a few megabytes; anything bigger is not one of ours.
inline constexpr qint64 kMaxRtfBytes = 8 * 1024 * 1024;

// Groups nested deeper than this are flattened into the deepest kept group: their text
// is still read, but formatting state set inside them is not undone when they close.
inline constexpr int kMaxRtfDepth = 256;

struct RtfText {
    bool ok = false;
    QString error;       // set when ok is false; names the file for ReadRtfFile
    QStringList lines;   // plain text of each line, without line ends
    bool rich = false;   // the input was rich text (else it was read as plain text lines)
};

// Turns a rich-text document into plain lines, as a Windows rich-edit control shows them:
// - \par, \line, \sect, \page and \row end a line, and so do the Unicode line and
//   paragraph separators; \tab and \cell give a tab (the tab of a row's last cell is
//   dropped); text formatting is ignored.
// - \'hh and bytes above 127 are decoded through the code page in force: the current
//   font's \fcharset where it names a single-byte Windows code page, else \ansicpgN;
//   other code pages (the double-byte ones) are read as Windows-1252. \uN gives
//   UTF-16 unit N (negative N + 65536) and skips \ucN fallback characters (default 1).
//   A \u value outside -32768..65535 is ignored and its fallback shown instead. Control
//   characters other than tab are dropped; an unpaired surrogate becomes U+FFFD, and so
//   do the two frame marks of a text document (U+FDD0, U+FDD1).
// - Destinations that carry no document text (font and colour tables, style sheet, info,
//   pictures, objects, headers and footers, list numbering text, \* groups, ...) are
//   skipped, as are the bytes of \bin.
// - An empty last line is not reported: "a\par b\par}" and "a\par b}" both give "a", "b";
//   "a\par\par}" gives "a", "". A document whose only line is empty gives no lines.
// - The document ends where its outermost group closes; anything after is ignored.
//   Malformed input (unbalanced braces, truncated escapes, bad hex, huge numbers) gives
//   the lines read so far, never an error.
// Input that does not start with "{\rtf" (after an optional UTF-8 byte-order mark and
// blanks) is not rich text: it is read as plain text lines (UTF-8, falling back to
// Windows-1252 byte by byte; CR LF, LF or CR ends a line), since a user may have saved
// the clinic list from a plain editor under the .rtf name. Only input over kMaxRtfBytes
// is refused.
RtfText RtfToPlainLines(const QByteArray& rtf);

// Reads a file with RtfToPlainLines. Refuses a missing, unreadable or too large file with
// a message naming it.
RtfText ReadRtfFile(const QString& path);

// The same reading into a text document, as a rich-edit control holds it: one block per
// line of RtfToPlainLines, with bold, italic, underline, strike-through, font face and
// size, text colour and paragraph alignment. Pictures, tables' borders and everything
// else are left out. `doc` is cleared first; on failure it stays empty. The result's
// lines are the plain lines, the same as DocumentPlainLines(*doc).
RtfText RtfToDocument(const QByteArray& rtf, QTextDocument* doc);
RtfText ReadRtfDocument(const QString& path, QTextDocument* doc);

// A document's plain lines, as RtfToPlainLines gives them for the rich text it was read
// from: one per block (a line separator typed in a block also ends a line), and none for
// a document that is one empty block.
QStringList DocumentPlainLines(const QTextDocument& doc);

}  // namespace tavrola
