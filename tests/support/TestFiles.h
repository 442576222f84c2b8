#pragma once
#include <QByteArray>
#include <QString>

namespace tavrola::test {

// The bytes of a file; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);

// Writes exactly these bytes, replacing the file. Returns whether all were written.
bool WriteBytes(const QString& path, const QByteArray& bytes);

}  // namespace tavrola::test
