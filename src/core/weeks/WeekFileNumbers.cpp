#include "weeks/WeekFileNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace tavrola {

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView Trimmed(const QString& text)
{
    QStringView v(text);
    while (!v.isEmpty() && IsBlank(v.front()))
        v = v.mid(1);
    while (!v.isEmpty() && IsBlank(v.back()))
        v.chop(1);
    return v;
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

QString FloatToGeneral15(float value)
{
    const double v = value;
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (v == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    QString text = QString::fromLatin1(buf);
    // printf writes "1E-05" and "1E+15"; the stored form is "1E-5" and "1E15".
    const qsizetype e = text.indexOf(u'E');
    if (e >= 0) {
        QString exponent = text.mid(e + 1);
        bool negative = false;
        if (exponent.startsWith(u'+') || exponent.startsWith(u'-')) {
            negative = exponent.startsWith(u'-');
            exponent.remove(0, 1);
        }
        while (exponent.size() > 1 && exponent.startsWith(u'0'))
            exponent.remove(0, 1);
        text = text.left(e + 1) + (negative ? QStringLiteral("-") : QString()) + exponent;
    }
    return text;
}

std::optional<float> WeekFileReal(const QString& text)
{
    const QStringView t = Trimmed(text);
    std::string number;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            number += '-';
        ++i;
    }
    int digits = 0;
    for (; i < t.size() && IsAsciiDigit(t[i]); ++i, ++digits)
        number += char(t[i].unicode());
    if (i < t.size() && (t[i] == u'.' || t[i] == u',')) {
        number += '.';
        for (++i; i < t.size() && IsAsciiDigit(t[i]); ++i, ++digits)
            number += char(t[i].unicode());
    }
    if (digits == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'E' || t[i] == u'e')) {
        number += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            number += char(t[i++].unicode());
        int expDigits = 0;
        for (; i < t.size() && IsAsciiDigit(t[i]); ++i, ++expDigits)
            number += char(t[i].unicode());
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;

    // Straight to single precision, as the settings reader rounds it.
    float value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ptr != number.data() + number.size())
        return std::nullopt;
    if (res.ec == std::errc::result_out_of_range) {
        // Too small reads as zero; too large is not a number the file can hold. Small
        // means a negative exponent, or without one no non-zero digit before the point.
        const size_t e = number.find('e');
        const bool tooSmall =
            e != std::string::npos
                ? e + 1 < number.size() && number[e + 1] == '-'
                : number.substr(0, number.find('.')).find_first_not_of("-0") == std::string::npos;
        if (!tooSmall)
            return std::nullopt;
        value = 0;
    } else if (res.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<qint32> WeekFileWhole(const QString& text)
{
    const QStringView t = Trimmed(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == u'$') {
        base = 16;
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * base + d;
        if (value > qint64(0xFFFFFFFF))
            return std::nullopt;
    }
    if (base == 16) {
        // Hex is read as the 32-bit pattern it spells ($FF000005 is a negative colour).
        if (negative)
            return std::nullopt;
        return qint32(quint32(value));
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

std::optional<Colour> WeekFileColour(const QString& text)
{
    const std::optional<qint32> v = WeekFileWhole(text);
    if (!v)
        return std::nullopt;
    if (*v < 0 || *v > 0xFFFFFF)
        return White;
    return Colour(*v);
}

}  // namespace tavrola
