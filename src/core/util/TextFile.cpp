#include "util/TextFile.h"

#include "util/FileAccess.h"

#include <algorithm>

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

QString DecodeText(const QByteArray& bytes)
{
    // Never more characters than bytes: written in place, then cut to length.
    const qsizetype n = bytes.size();
    QString out(n, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    qsizetype w = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype i = 0;
    while (i < n) {
        if (p[i] < 0x80) {
            o[w++] = p[i++];
            continue;
        }
        const int len = Utf8SequenceLength(p + i, n - i);
        switch (len) {
        case 0:
            o[w++] = Cp1252(p[i]);
            i += 1;
            break;
        case 1:
            o[w++] = char16_t(p[i]);
            i += 1;
            break;
        case 2:
            o[w++] = char16_t(((p[i] & 0x1F) << 6) | (p[i + 1] & 0x3F));
            i += 2;
            break;
        case 3:
            o[w++] = char16_t(((p[i] & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
            i += 3;
            break;
        default: {
            const char32_t cp = (char32_t(p[i] & 0x07) << 18) | (char32_t(p[i + 1] & 0x3F) << 12) |
                                (char32_t(p[i + 2] & 0x3F) << 6) | char32_t(p[i + 3] & 0x3F);
            o[w++] = QChar::highSurrogate(cp);
            o[w++] = QChar::lowSurrogate(cp);
            i += 4;
            break;
        }
        }
    }
    out.truncate(w);
    return out;
}

WideText DecodeWideText(const QByteArray& bytes)
{
    WideText r;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    auto starts = [&](std::initializer_list<unsigned char> bom) {
        return n >= qsizetype(bom.size()) && std::equal(bom.begin(), bom.end(), p);
    };
    // UTF-32 first: its little-endian mark begins with UTF-16's.
    int unit = 0;
    bool big = false;
    if (starts({0xFF, 0xFE, 0x00, 0x00}))
        unit = 4;
    else if (starts({0x00, 0x00, 0xFE, 0xFF}))
        unit = 4, big = true;
    else if (starts({0xFF, 0xFE}))
        unit = 2;
    else if (starts({0xFE, 0xFF}))
        unit = 2, big = true;
    else
        return r;
    r.wide = true;
    r.encoding = unit == 2 ? QStringLiteral("UTF-16") : QStringLiteral("UTF-32");
    auto fault = [&r] {
        if (r.badAt < 0)
            r.badAt = r.text.size();
    };
    r.text.reserve(n / unit);
    for (qsizetype i = unit; i + unit <= n; i += unit) {
        char32_t v = 0;
        for (int k = 0; k < unit; ++k)
            v |= char32_t(p[i + (big ? k : unit - 1 - k)]) << (8 * (unit - 1 - k));
        if (unit == 2) {
            r.text.append(QChar(char16_t(v)));
        } else if (v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) {
            fault();
            r.text.append(QChar::ReplacementCharacter);
        } else if (v > 0xFFFF) {
            r.text.append(QChar(QChar::highSurrogate(v)));
            r.text.append(QChar(QChar::lowSurrogate(v)));
        } else {
            r.text.append(QChar(char16_t(v)));
        }
    }
    // UTF-16 surrogates must come in pairs.
    for (qsizetype i = 0; unit == 2 && i < r.text.size() && r.badAt < 0; ++i) {
        const QChar c = r.text[i];
        if (c.isHighSurrogate() && i + 1 < r.text.size() && r.text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            r.badAt = i;
    }
    if (n % unit != 0) {
        fault();  // the last character is cut short
        r.text.append(QChar::ReplacementCharacter);
    }
    r.ok = r.badAt < 0;
    return r;
}

TextFileRead ReadTextFile(const QString& path)
{
    const FileBytes file = ReadFileBytes(path, kMaxTextFileBytes);
    if (!file.ok) {
        TextFileRead r;
        r.error = file.error;
        return r;
    }
    return DecodeTextFile(path, file.bytes);
}

TextFileRead DecodeTextFile(const QString& path, const QByteArray& bytes)
{
    TextFileRead r;
    // Read as the file says it is written: a byte-order mark of UTF-16 or UTF-32 (as some
    // Windows editors save) decides; anything else is UTF-8 with the Windows-1252 fallback.
    const WideText wide = DecodeWideText(bytes);
    if (wide.wide && !wide.ok) {
        // The line of the first fault, each of CR LF, LF and CR ending one.
        const QString& t = wide.text;
        int line = 1;
        for (qsizetype i = 0; i < wide.badAt; ++i)
            if (t[i] == u'\n' || (t[i] == u'\r' && !(i + 1 < t.size() && t[i + 1] == u'\n')))
                ++line;
        r.errorLine = line;
        r.reason = QStringLiteral("not valid %1 (the file starts as %1 text)").arg(wide.encoding);
        r.error = QStringLiteral("Cannot read %1, line %2: %3").arg(Quoted(path)).arg(line).arg(r.reason);
        return r;
    }
    QString text = wide.wide ? wide.text : DecodeText(bytes);
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
    return WriteFileAtomically(path, text.toUtf8(), error);
}

}  // namespace tavrola
