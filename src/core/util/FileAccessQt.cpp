// File access through Qt, where POSIX is not there.
#include "util/FileAccess.h"

#include <QtGlobal>

#ifndef Q_OS_UNIX

#include "util/FileAccessMessages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tavrola {

using file_access::NotFound;
using file_access::TooLarge;

bool PathEntryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool IsFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

QStringList RegularFileNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
}

QString NotRegularFileMessage(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return NotFound(path);
    if (info.isDir())
        return QStringLiteral("Not a file: %1 is a folder").arg(Quoted(path));
    if (!info.isFile())
        return QStringLiteral("Not a file: %1 is not a regular file").arg(Quoted(path));
    return QString();
}

namespace {
FileBytes Read(const QString& path, qint64 maxBytes, bool whole)
{
    FileBytes r;
    r.error = NotRegularFileMessage(path);
    if (!r.error.isEmpty())
        return r;
    QFile file(path);
    if (whole && file.size() > maxBytes) {
        r.error = TooLarge(path, maxBytes);
        return r;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("Cannot open %1: %2").arg(Quoted(path), file.errorString());
        return r;
    }
    r.bytes = file.read(whole ? maxBytes + 1 : maxBytes);
    if (file.error() != QFileDevice::NoError) {
        r.error = QStringLiteral("Cannot read %1: %2").arg(Quoted(path), file.errorString());
        return r;
    }
    if (whole && r.bytes.size() > maxBytes) {
        r.error = TooLarge(path, maxBytes);
        return r;
    }
    r.ok = true;
    return r;
}
}  // namespace

FileBytes ReadFileBytes(const QString& path, qint64 maxBytes)
{
    return Read(path, maxBytes, true);
}

FileBytes ReadFileStart(const QString& path, qint64 maxBytes)
{
    return Read(path, maxBytes, false);
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    // Only a regular file is replaced; a file marked read-only is kept.
    const QFileInfo info(path);
    const char* why = info.isDir()                      ? "it is a folder"
                      : info.isSymLink() && !info.exists() ? "it is a symbolic link to nothing"
                      : info.exists() && !info.isFile()  ? "it is not a regular file"
                      : info.exists() && !info.isWritable() ? "it is read-only"
                                                          : nullptr;
    if (why) {
        if (error)
            *error = QStringLiteral("Cannot save %1: %2").arg(Quoted(path), QString::fromLatin1(why));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot save %1: %2").arg(Quoted(path), file.errorString());
        return false;
    }
    return true;
}

void IgnoreFileSizeSignal() {}

int RemoveStaleSaveTempFiles(const QString& folder, qint64 minAgeSeconds)
{
    const QDateTime now = QDateTime::currentDateTime();
    int removed = 0;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (IsSaveTempFileName(info.fileName()) && info.lastModified().secsTo(now) >= minAgeSeconds &&
            QFile::remove(info.filePath()))
            ++removed;
    return removed;
}

}  // namespace tavrola

#endif
