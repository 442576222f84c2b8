#include "clinics/RtfWriter.h"

#include "util/FileAccess.h"
#include "util/TextFile.h"

#include <QHash>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <vector>

namespace tavrola {

namespace {

// The face of entry 0 when the document's default font names none.
const QString kFallbackFace = QStringLiteral("Calibri");

// The Windows-1252 byte of a character above 127, or 0 when it has none.
unsigned char Cp1252Byte(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return static_cast<unsigned char>(c);
    for (int b = 0x80; b <= 0x9F; ++b)
        if (Cp1252(static_cast<unsigned char>(b)) == c)
            return static_cast<unsigned char>(b);
    return 0;
}

void AppendHex(QByteArray& out, unsigned char b)
{
    static const char kHex[] = "0123456789abcdef";
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

// Text with its specials escaped: ASCII as it stands, the rest of Windows-1252 as \'hh,
// everything else as \uN? (N the signed UTF-16 unit, so a surrogate pair is two escapes).
void AppendText(QByteArray& out, const QString& text)
{
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            out += "\\line ";
        } else if (c < 0x20 || c == 0x7F) {
            continue;
        } else if (c < 0x80) {
            out += char(c);
        } else if (const unsigned char b = Cp1252Byte(c)) {
            AppendHex(out, b);
        } else {
            out += "\\u";
            out += QByteArray::number(qint16(c));
            out += '?';
        }
    }
}

QString FaceOf(const QTextCharFormat& f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first().trimmed();
}

QColor ColourOf(const QTextCharFormat& f)
{
    return f.foreground().style() == Qt::NoBrush ? QColor() : f.foreground().color();
}

const char* AlignmentWord(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "\\qc";
    if (a & Qt::AlignJustify)
        return "\\qj";
    if (a & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

// The place of `value` in a table, added at its end when new.
template <typename T>
class Table {
public:
    int indexOf(const T& value)
    {
        const auto found = index_.constFind(value);
        if (found != index_.cend())
            return *found;
        entries.push_back(value);
        index_.insert(value, int(entries.size()) - 1);
        return int(entries.size()) - 1;
    }
    std::vector<T> entries;

private:
    QHash<T, int> index_;
};

}  // namespace

QByteArray DocumentToRtf(const QTextDocument& doc)
{
    // Entry 0 of the font table is the face of text without one; colour 0 is "auto".
    QString defaultFace = doc.defaultFont().family().trimmed();
    if (defaultFace.isEmpty())
        defaultFace = kFallbackFace;
    Table<QString> faces;  // entries 1 on
    Table<QRgb> colours;
    colours.entries.push_back(0);  // entry 0 stands for "auto" and is never matched

    QByteArray body;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        body += "\\pard";
        body += AlignmentWord(block.blockFormat().alignment());
        body += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat f = fragment.charFormat();
            if (f.isImageFormat())
                continue;  // pictures are not part of the clinic list
            QByteArray words;
            const QString face = FaceOf(f);
            if (!face.isEmpty())  // entry 1 on, so that text without a face keeps none
                words += "\\f" + QByteArray::number(1 + faces.indexOf(face));
            const double points = f.fontPointSize();
            if (points > 0)
                words += "\\fs" + QByteArray::number(qBound(1, qRound(points * 2), 3276));
            const QColor colour = ColourOf(f);
            if (colour.isValid())
                words += "\\cf" + QByteArray::number(colours.indexOf(colour.rgb() | 0xFF000000u));
            if (f.fontWeight() > QFont::Medium)
                words += "\\b";
            if (f.fontItalic())
                words += "\\i";
            if (f.fontUnderline())
                words += "\\ul";
            if (f.fontStrikeOut())
                words += "\\strike";
            if (words.isEmpty()) {
                AppendText(body, fragment.text());
            } else {
                body += '{' + words + ' ';
                AppendText(body, fragment.text());
                body += '}';
            }
        }
        body += "\\par\r\n";
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    faces.entries.insert(faces.entries.begin(), defaultFace);
    for (size_t k = 0; k < faces.entries.size(); ++k) {
        out += "{\\f" + QByteArray::number(qsizetype(k)) + "\\fnil\\fcharset0 ";
        QString name = faces.entries[k];
        name.replace(u';', u',');  // a semicolon would end the name
        AppendText(out, name);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (size_t k = 1; k < colours.entries.size(); ++k)
        out += QStringLiteral("\\red%1\\green%2\\blue%3;")
                   .arg(qRed(colours.entries[k]))
                   .arg(qGreen(colours.entries[k]))
                   .arg(qBlue(colours.entries[k]))
                   .toLatin1();
    // Named, so that LibreOffice keeps runs of blanks as typed (without a generator it
    // takes the file for Word's and shows them as narrow spaces).
    out += "}\r\n{\\*\\generator Tavrola;}\\viewkind4\r\n";
    out += body;
    out += "}\r\n";
    return out;
}

bool SaveRtfDocument(const QTextDocument& doc, const QString& path, QString* error)
{
    return WriteFileAtomically(path, DocumentToRtf(doc), error);
}

}  // namespace tavrola
