#include "util/TextUtil.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tavrola {

int Pos(QStringView sub, QStringView s)
{
    if (sub.isEmpty())
        return 0;
    return int(s.indexOf(sub)) + 1;
}

QString UpperCase(QStringView s)
{
    QString out(s.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < 128)
            d[i] = QChar(c >= 'a' && c <= 'z' ? char16_t(c - 32) : c);
        else
            d[i] = s[i].toUpper();  // simple per-character mapping, never lengthens
    }
    return out;
}

QString TrimSpaces(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.mid(b, e - b).toString();
}

QString PadToWidth(QStringView s, int n)
{
    if (n <= 0)
        return QString();
    QString out = s.left(n).toString();
    if (out.size() < n)
        out.append(QString(n - out.size(), u' '));
    return out;
}

QString IntToText(qint32 value)
{
    return QString::number(value);
}

QString HourTo12Text(int hour)
{
    if (hour < 13)
        return QString::number(hour);
    return QString::number(hour - 12) + QStringLiteral("pm");
}

QString FloatToShortest(float value)
{
    // Fixed notation only: the readers take "5e-04" as 5 and "1e+05" as 1. The longest
    // form, the smallest subnormal, is 47 characters.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

QString FloatToGeneral(double value, int digits)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    QString out = QString::fromLatin1(buf, int(res.ptr - buf));
    out.replace(u'e', u'E');
    return out;
}

}  // namespace tavrola
