#include "util/PathBytes.h"

#include "util/FileAccessMessages.h"

namespace tavrola {

namespace {

bool IsKeptByte(char16_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}

QString ByteEscape(unsigned byte)
{
    return QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
}

}  // namespace

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
        if ((p[k] & 0xC0) != 0x80)
            return 0;
    return len;
}

QString PathFromBytes(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int len = Utf8SequenceLength(p + i, n - i);
        if (len == 0) {
            out.append(QChar(char16_t(0xDC00 + p[i])));
            ++i;
        } else {
            out.append(QString::fromUtf8(bytes.constData() + i, len));
            i += len;
        }
    }
    return out;
}

QByteArray PathToBytes(const QString& path)
{
    QByteArray out;
    out.reserve(path.size());
    qsizetype start = 0;  // start of the run of ordinary characters not yet encoded
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        const bool pairedLow = i > 0 && path[i - 1].isHighSurrogate();
        if (IsKeptByte(c) && !pairedLow) {
            out += QStringView(path).mid(start, i - start).toUtf8();
            out += char(c - 0xDC00);
            start = i + 1;
        }
    }
    out += QStringView(path).mid(start).toUtf8();
    return out;
}

QString Quoted(const QString& text)
{
    QString body = text;
    if (body.size() > kQuotedMaxChars) {
        const int keep = kQuotedMaxChars / 2;
        body = body.left(keep) + QStringLiteral("\u2026 (%1 characters) \u2026").arg(text.size()) + body.right(keep);
    }
    QString out;
    out.reserve(body.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char16_t c = body[i].unicode();
        if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c < 0x20 || c == 0x7F) {
            out += ByteEscape(c);
        } else if (IsKeptByte(c) && !(i > 0 && body[i - 1].isHighSurrogate())) {
            out += ByteEscape(c - 0xDC00);
        } else {
            out += QChar(c);
        }
    }
    out += u'"';
    return out;
}

bool IsSaveTempFileName(const QString& fileName)
{
    using namespace file_access;
    return fileName.startsWith(kSaveTempPrefix) && fileName.endsWith(kSaveTempSuffix) &&
           fileName.size() == kSaveTempPrefix.size() + kSaveTempTagChars + kSaveTempSuffix.size();
}

}  // namespace tavrola
