#include "clinics/RtfReader.h"

#include "clinics/RtfContent.h"
#include "util/FileAccess.h"
#include "util/TextFile.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tavrola {

namespace {

// Where the rich text starts ("{\rtf" after an optional byte-order mark and blanks), or
// -1 when the input is not rich text.
qsizetype RtfStart(const QByteArray& bytes)
{
    qsizetype k = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (k < bytes.size() && (bytes[k] == ' ' || bytes[k] == '\t' || bytes[k] == '\r' ||
                                bytes[k] == '\n'))
        ++k;
    return QByteArrayView(bytes).sliced(k).startsWith("{\\rtf") ? k : -1;
}

QString TooLarge(const QString& what)
{
    return QStringLiteral("%1 is too large (more than %2 bytes)").arg(what).arg(kMaxRtfBytes);
}

// Reads the bytes into `content`; false (with the reason in r.error) only for input too
// large to be a document of ours.
bool ReadContent(const QByteArray& rtf, RtfText& r, RtfContent& content)
{
    if (rtf.size() > kMaxRtfBytes) {
        r.error = TooLarge(QStringLiteral("The document"));
        return false;
    }
    const qsizetype start = RtfStart(rtf);
    if (start < 0) {
        QString text = DecodeText(rtf);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        content = PlainTextContent(text);
    } else {
        r.rich = true;
        content = ParseRtf(rtf, start);
    }
    r.lines = content.lines();
    r.ok = true;
    return true;
}

// The file's bytes as the readers take them: refused with a message naming the file
// when it cannot be read; UTF-16 or UTF-32 text (a byte-order mark says so) given as
// UTF-8, since rich text is ASCII with escapes and plain text is read as UTF-8.
bool FileInput(const QString& path, QByteArray* bytes, RtfText& r)
{
    const FileBytes file = ReadFileBytes(path, kMaxRtfBytes);
    if (!file.ok) {
        r.error = file.error;
        return false;
    }
    const WideText wide = DecodeWideText(file.bytes);
    if (wide.wide && !wide.ok) {
        r.error = QStringLiteral("Cannot read %1: it starts as %2 text but is not valid %2")
                      .arg(Quoted(path), wide.encoding);
        return false;
    }
    *bytes = wide.wide ? wide.text.toUtf8() : file.bytes;
    return true;
}

Qt::Alignment ToQt(RtfAlign a)
{
    switch (a) {
    case RtfAlign::Centre: return Qt::AlignHCenter;
    case RtfAlign::Right: return Qt::AlignRight;
    case RtfAlign::Justify: return Qt::AlignJustify;
    case RtfAlign::Left: break;
    }
    return Qt::AlignLeft;
}

class FormatMaker {
public:
    explicit FormatMaker(const RtfContent& c) : c_(c)
    {
        for (const auto& [number, font] : c.fonts)
            if (!fonts_.contains(number))
                fonts_.insert(number, font.name.trimmed());
    }

    QTextCharFormat operator()(const RtfCharProps& p) const
    {
        QTextCharFormat f;
        if (p.flags & RtfCharProps::Bold)
            f.setFontWeight(QFont::Bold);
        if (p.flags & RtfCharProps::Italic)
            f.setFontItalic(true);
        if (p.flags & RtfCharProps::Underline)
            f.setFontUnderline(true);
        if (p.flags & RtfCharProps::Strike)
            f.setFontStrikeOut(true);
        const QString face = fonts_.value(p.font);
        if (!face.isEmpty())
            f.setFontFamilies(QStringList{face});
        if (p.halfPoints > 0)
            f.setFontPointSize(p.halfPoints / 2.0);
        if (p.colour > 0 && p.colour < qsizetype(c_.colours.size()) && c_.colours[size_t(p.colour)].isValid())
            f.setForeground(c_.colours[size_t(p.colour)]);
        return f;
    }

private:
    const RtfContent& c_;
    QHash<int, QString> fonts_;
};

void BuildDocument(const RtfContent& c, QTextDocument* doc)
{
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    const FormatMaker format(c);
    size_t run = 0;
    for (size_t k = 0; k < c.paragraphs.size(); ++k) {
        QTextBlockFormat block;
        block.setAlignment(ToQt(c.paragraphs[k].align));
        if (k == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block, QTextCharFormat());
        qsizetype at = c.paragraphStart(k);
        const qsizetype end = c.paragraphs[k].end;
        while (at < end) {
            while (run + 1 < c.runs.size() && c.runs[run + 1].start <= at)
                ++run;
            const qsizetype runEnd = run + 1 < c.runs.size() ? qMin(end, c.runs[run + 1].start) : end;
            cursor.insertText(c.text.mid(at, runEnd - at), run < c.runs.size() ? format(c.runs[run].props)
                                                                                : QTextCharFormat());
            at = runEnd;
        }
    }
    cursor.endEditBlock();
    doc->setModified(false);
}

}  // namespace

RtfText RtfToPlainLines(const QByteArray& rtf)
{
    RtfText r;
    RtfContent content;
    ReadContent(rtf, r, content);
    return r;
}

RtfText ReadRtfFile(const QString& path)
{
    RtfText r;
    QByteArray bytes;
    if (!FileInput(path, &bytes, r))
        return r;
    return RtfToPlainLines(bytes);
}

RtfText RtfToDocument(const QByteArray& rtf, QTextDocument* doc)
{
    RtfText r;
    RtfContent content;
    doc->clear();
    if (ReadContent(rtf, r, content))
        BuildDocument(content, doc);
    return r;
}

RtfText ReadRtfDocument(const QString& path, QTextDocument* doc)
{
    RtfText r;
    QByteArray bytes;
    doc->clear();
    if (!FileInput(path, &bytes, r))
        return r;
    return RtfToDocument(bytes, doc);
}

QStringList DocumentPlainLines(const QTextDocument& doc)
{
    QStringList lines;
    if (doc.blockCount() == 1 && doc.begin().text().isEmpty())
        return lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lines += b.text().split(QChar(QChar::LineSeparator));
    return lines;
}

}  // namespace tavrola
