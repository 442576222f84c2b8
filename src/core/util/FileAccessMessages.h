#pragma once
// Shared by the POSIX and the Qt file access: the messages both give, and the name of a
// save temporary.
#include "util/PathBytes.h"

#include <QString>

namespace tavrola::file_access {

inline const QString kSaveTempPrefix = QStringLiteral("~tavrola-save-");
inline const QString kSaveTempSuffix = QStringLiteral(".tmp");
inline constexpr int kSaveTempTagChars = 6;

inline QString NotFound(const QString& path)
{
    return QStringLiteral("File not found: %1").arg(Quoted(path));
}

inline QString TooLarge(const QString& path, qint64 maxBytes)
{
    return QStringLiteral("File too large: %1 (more than %2 bytes)").arg(Quoted(path)).arg(maxBytes);
}

}  // namespace tavrola::file_access
