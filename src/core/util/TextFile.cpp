#include "util/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tavrola {

namespace {
// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their own code point, as
// Windows itself maps them. 0xA0..0xFF are the same as Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};
}  // namespace

char16_t Cp1252(unsigned char b)
{
    return b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char16_t(b);
}

namespace {

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence starting at p (1..4), or 0 when the bytes
// there do not form one (overlong forms, surrogates and values past U+10FFFF included).
int Utf8SequenceLength(const unsigned char* p, qsizetype left)
{
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    int len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0)
            lo = 0xA0;
        else if (b == 0xED)
            hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0)
            lo = 0x90;
        else if (b == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (left < len || p[1] < lo || p[1] > hi)
        return 0;
    for (int k = 2; k < len; ++k)
        if (!IsContinuation(p[k]))
            return 0;
    return len;
}

QString FileNotFound(const QString& path)
{
    return QStringLiteral("File not found: \"%1\"").arg(path);
}

}  // namespace

QString DecodeText(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const int len = Utf8SequenceLength(p + i, n - i);
        switch (len) {
        case 0:
            out.append(QChar(Cp1252(p[i])));
            i += 1;
            break;
        case 1:
            out.append(QChar(char16_t(p[i])));
            i += 1;
            break;
        case 2:
            out.append(QChar(char16_t(((p[i] & 0x1F) << 6) | (p[i + 1] & 0x3F))));
            i += 2;
            break;
        case 3:
            out.append(QChar(char16_t(((p[i] & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) |
                                      (p[i + 2] & 0x3F))));
            i += 3;
            break;
        default: {
            const char32_t cp = (char32_t(p[i] & 0x07) << 18) | (char32_t(p[i + 1] & 0x3F) << 12) |
                                (char32_t(p[i + 2] & 0x3F) << 6) | char32_t(p[i + 3] & 0x3F);
            out.append(QChar(QChar::highSurrogate(cp)));
            out.append(QChar(QChar::lowSurrogate(cp)));
            i += 4;
            break;
        }
        }
    }
    return out;
}

TextFileRead ReadTextFile(const QString& path)
{
    TextFileRead r;
    if (!QFileInfo::exists(path)) {
        r.error = FileNotFound(path);
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString());
        return r;
    }
    // One byte past the limit is enough to tell a file that is too large, and keeps
    // endless devices from being read for ever.
    const QByteArray bytes = file.read(kMaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        r.error = QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString());
        return r;
    }
    if (bytes.size() > kMaxTextFileBytes) {
        r.error = QStringLiteral("File too large: \"%1\" (more than %2 bytes)")
                      .arg(path)
                      .arg(kMaxTextFileBytes);
        return r;
    }

    QString text = DecodeText(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        r.lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        r.lines.append(text.mid(start));
    r.ok = true;
    return r;
}

bool WriteTextFileAtomically(const QString& path, const QString& text, QString* error)
{
    QSaveFile file(path);
    auto fail = [&](const QString& what, const QString& reason) {
        if (error)
            *error = QStringLiteral("%1 \"%2\": %3").arg(what, path, reason);
        file.cancelWriting();
        return false;
    };
    // Unbuffered, so a short write (a full disk) shows in the count written; the size is
    // checked again before the old file is replaced, as commit() alone can miss it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("Cannot create"), file.errorString());
    const QByteArray bytes = text.toUtf8();
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush() || file.size() != bytes.size()) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("only %1 of %2 bytes written")
                                         .arg(qMax<qint64>(written, 0))
                                         .arg(bytes.size());
        return fail(QStringLiteral("Cannot write"), reason);
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace tavrola
