#pragma once
#include <QString>
#include <QStringView>

namespace tavrola {

// Position of the first occurrence of sub in s, counting from 1; 0 when sub is empty
// or absent. Every "occurs in" test of the roster arithmetic goes through this, so an
// empty duty code never matches.
int Pos(QStringView sub, QStringView s);
inline bool Contains(QStringView s, QStringView sub) { return Pos(sub, s) > 0; }

// Upper case per character, keeping the length (positions stay comparable).
QString UpperCase(QStringView s);

// Leading and trailing blanks (code 32 only) removed.
QString TrimSpaces(QStringView s);

// The first n characters of s, padded with blanks to exactly n.
QString PadToWidth(QStringView s, int n);

// Plain decimal, minus sign for negatives.
QString IntToText(qint32 value);

// Hours 0..12 as their number, 13..23 as hour - 12 followed by "pm".
QString HourTo12Text(int hour);

// Shortest decimal text without an exponent that reads back as the same single-precision
// value ("7.5", "0.0005", "100000").
QString FloatToShortest(float value);

// General number format with at most `digits` significant digits ("37.5", "40").
QString FloatToGeneral(double value, int digits);

}  // namespace tavrola
