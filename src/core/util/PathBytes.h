#pragma once
#include <QByteArray>
#include <QString>

namespace tavrola {

// Length of the well-formed UTF-8 sequence starting at p (1..4), or 0 when the bytes
// there do not form one (overlong forms, surrogates and values past U+10FFFF included).
int Utf8SequenceLength(const unsigned char* p, qsizetype left);

// File names as the file system holds them: bytes, normally UTF-8. A byte that is not
// part of valid UTF-8 is kept as the lone surrogate U+DC80 + (byte - 0x80), so such a
// name survives the trip through a QString and still opens.
QString PathFromBytes(const QByteArray& bytes);
QByteArray PathToBytes(const QString& path);

// A name or argument as a message quotes it: in double quotes and on one line (line
// breaks and other control characters as \n, \r, \t or \xNN, a kept byte as \xNN), and
// shortened in the middle past kQuotedMaxChars characters.
inline constexpr int kQuotedMaxChars = 200;
QString Quoted(const QString& text);

// Whether `fileName` has the pattern of the temporaries an atomic save writes beside
// its target.
bool IsSaveTempFileName(const QString& fileName);

}  // namespace tavrola
