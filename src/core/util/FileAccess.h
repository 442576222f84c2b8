#pragma once
#include "util/PathBytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavrola {

// Whether anything at all stands at `path` (a dangling or looping symbolic link counts).
bool PathEntryExists(const QString& path);

// Whether `path` is a folder (symbolic links followed).
bool IsFolder(const QString& path);

// Names of the regular files in `folder` (symbolic links followed, hidden files
// included), unsorted, each as PathFromBytes gives it.
QStringList RegularFileNames(const QString& folder);

// Why `path` cannot be read as a file, checked before anything opens it: empty for a
// regular file (symbolic links followed), else a message naming it: not found, a folder,
// a named pipe, a socket, a device, a symbolic-link loop.
QString NotRegularFileMessage(const QString& path);

struct FileBytes {
    bool ok = false;
    QString error;     // names the file
    QByteArray bytes;
};

// Reads a regular file whole, allocating what it holds. Refuses anything that is not a
// regular file, and files over `maxBytes` with `File too large: "path" (more than N bytes)`.
FileBytes ReadFileBytes(const QString& path, qint64 maxBytes);

// Reads at most the first `maxBytes` of a regular file.
FileBytes ReadFileStart(const QString& path, qint64 maxBytes);

// Atomic saves write a temporary file of one pattern beside the target, then rename it
// over the target; an interrupted save leaves the old file and, at worst, such a file
// (IsSaveTempFileName tells them by name).
// Replaces `path` with `bytes`: the old file stays whole until the new one is complete
// on disk. A symbolic link is followed. Only a regular file is replaced: a folder, pipe,
// device, socket, dangling or looping link is refused naming what it is, and so is a
// read-only file ("is read-only"). On failure `error` says why
// in words a user can act on (a read-only disk, a full disk, no permission).
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Lets a save that reaches the system's file-size limit fail with "File too large"
// (its temporary removed) instead of the signal ending the program. Called at start.
void IgnoreFileSizeSignal();

// Removes save temporaries in `folder` untouched for at least `minAgeSeconds` (younger
// ones may belong to a save still running in another instance). Returns how many.
int RemoveStaleSaveTempFiles(const QString& folder, qint64 minAgeSeconds = 600);

}  // namespace tavrola
