#pragma once
#include <QString>
#include <QStringList>

namespace tavrola {

// Largest text file the program reads; anything bigger is not one of ours.
inline constexpr qint64 kMaxTextFileBytes = 4 * 1024 * 1024;

struct TextFileRead {
    bool ok = false;
    QString error;       // names the file
    int errorLine = 0;   // the line at fault, when the fault is on one (1-based)
    QString reason;      // why, without the file's name, when on a line
    QStringList lines;   // without line ends (CR LF, LF or CR)
};

// Reads a text file as UTF-8, falling back to Windows-1252 for bytes that are not valid
// UTF-8, or as UTF-16 or UTF-32 when it starts with that byte-order mark. Refuses
// anything that is not a regular file, and files over kMaxTextFileBytes.
TextFileRead ReadTextFile(const QString& path);

// The same over bytes already read; `path` only names the file in a message.
TextFileRead DecodeTextFile(const QString& path, const QByteArray& bytes);

// The character a Windows-1252 byte stands for.
char16_t Cp1252(unsigned char byte);

// Decodes bytes as above (UTF-8, else Windows-1252 per invalid sequence).
QString DecodeText(const QByteArray& bytes);

// Text that starts with a UTF-16 or UTF-32 byte-order mark, decoded as that (the mark
// dropped). `wide` is false for any other bytes; `ok` false when the rest does not decode
// (a lone surrogate, a code point past U+10FFFF, a last unit cut short): `text` then holds
// replacement characters there, and `badAt` is where the first fault is in it.
struct WideText {
    bool wide = false;
    bool ok = false;
    QString encoding;  // "UTF-16" or "UTF-32"
    QString text;
    qsizetype badAt = -1;
};
WideText DecodeWideText(const QByteArray& bytes);

// Replaces a file atomically with `text` (UTF-8). Lines are written as given: callers put
// the CR LF ends in. Returns false with `error` naming the file on failure; the old file
// is then untouched.
bool WriteTextFileAtomically(const QString& path, const QString& text, QString* error);

}  // namespace tavrola
