// File access through POSIX calls: file names go to the system as the bytes they are.
#include "util/FileAccess.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include "util/FileAccessMessages.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrola {

namespace {

using file_access::NotFound;
using file_access::TooLarge;

QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a stat() describes, in words; nullptr for a regular file.
const char* KindName(const struct stat& st)
{
    return S_ISREG(st.st_mode)    ? nullptr
           : S_ISDIR(st.st_mode)  ? "a folder"
           : S_ISFIFO(st.st_mode) ? "a named pipe"
           : S_ISSOCK(st.st_mode) ? "a socket"
           : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device"
                                                         : "not a regular file";
}

// Why a stat() of `path` that succeeded does not describe a regular file; empty if it does.
QString KindMessage(const QString& path, const struct stat& st)
{
    const char* kind = KindName(st);
    if (!kind)
        return QString();
    return QStringLiteral("Not a file: %1 is %2").arg(Quoted(path), QString::fromLatin1(kind));
}

QString StatFailure(const QString& path, const QByteArray& bytes, int error)
{
    struct stat link;
    if (error == ELOOP)
        return QStringLiteral("Cannot open %1: a loop of symbolic links").arg(Quoted(path));
    if (error == ENOENT && ::lstat(bytes.constData(), &link) == 0 && S_ISLNK(link.st_mode))
        return QStringLiteral("Cannot open %1: a symbolic link to nothing").arg(Quoted(path));
    if (error == ENOENT || error == ENOTDIR)
        return NotFound(path);
    return QStringLiteral("Cannot open %1: %2").arg(Quoted(path), Reason(error));
}

bool ReadAll(int fd, QByteArray* out, qint64 limit)
{
    // `out` arrives sized for what the file held; it grows only if the file does.
    qint64 have = 0;
    for (;;) {
        if (have == out->size()) {
            if (have >= limit)
                break;
            out->resize(qMin<qint64>(limit, qMax<qint64>(have * 2, 4096)));
        }
        const ssize_t got = ::read(fd, out->data() + have, size_t(out->size() - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        have += got;
    }
    out->resize(have);
    return true;
}

FileBytes Read(const QString& path, qint64 maxBytes, bool whole)
{
    FileBytes r;
    const QByteArray name = PathToBytes(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        r.error = StatFailure(path, name, errno);
        return r;
    }
    r.error = KindMessage(path, st);
    if (!r.error.isEmpty())
        return r;
    if (whole && st.st_size > maxBytes) {
        r.error = TooLarge(path, maxBytes);
        return r;
    }
    // Non-blocking, so a file swapped for a pipe since the check cannot hang the open.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        r.error = errno == ENOENT ? NotFound(path) : QStringLiteral("Cannot open %1: %2").arg(Quoted(path), Reason(errno));
        return r;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.error = QStringLiteral("Not a file: %1 is not a regular file").arg(Quoted(path));
        ::close(fd);
        return r;
    }
    // One byte more than the file holds shows the end in one read; a file that has grown
    // past the limit since is still caught.
    const qint64 limit = whole ? maxBytes + 1 : maxBytes;
    r.bytes.resize(qMin<qint64>(limit, qint64(st.st_size) + 1));
    const bool read = ReadAll(fd, &r.bytes, limit);
    const int readError = errno;
    ::close(fd);
    if (!read) {
        r.bytes.clear();
        r.error = QStringLiteral("Cannot read %1: %2").arg(Quoted(path), Reason(readError));
        return r;
    }
    if (whole && r.bytes.size() > maxBytes) {
        r.bytes.clear();
        r.error = TooLarge(path, maxBytes);
        return r;
    }
    r.ok = true;
    return r;
}

QString WriteFailure(const QString& path, const QString& folder, int error)
{
    QString why;
    switch (error) {
    case EROFS: why = QStringLiteral("the folder %1 is on a read-only disk").arg(Quoted(folder)); break;
    case EACCES:
    case EPERM: why = QStringLiteral("no permission to write in the folder %1").arg(Quoted(folder)); break;
    case ENOSPC:
    case EDQUOT: why = QStringLiteral("the disk is full"); break;
    case ENOENT:
    case ENOTDIR: why = QStringLiteral("the folder %1 does not exist").arg(Quoted(folder)); break;
    case EFBIG: why = QStringLiteral("File too large (the file-size limit was reached)"); break;
    default: why = Reason(error);
    }
    return QStringLiteral("Cannot save %1: %2").arg(Quoted(path), why);
}

// Why an existing `path` must not be replaced by a save; empty when it may be (nothing
// there, or a regular file we may write, a symbolic link followed to one).
QString NotReplaceableMessage(const QString& path, const QByteArray& bytes, struct stat* st, bool* exists)
{
    *exists = false;
    struct stat link;
    if (::lstat(bytes.constData(), &link) != 0)
        return QString();  // nothing there: a new file
    if (::stat(bytes.constData(), st) != 0) {
        const QString why = errno == ELOOP    ? QStringLiteral("it is a loop of symbolic links")
                            : errno == ENOENT ? QStringLiteral("it is a symbolic link to nothing")
                                              : Reason(errno);
        return QStringLiteral("Cannot save %1: %2").arg(Quoted(path), why);
    }
    *exists = true;
    if (const char* kind = KindName(*st))
        return QStringLiteral("Cannot save %1: it is %2").arg(Quoted(path), QString::fromLatin1(kind));
    // A file nobody may write (0444) is kept even from a user the system would let
    // replace it: someone marked it so on purpose.
    if ((st->st_mode & 0222) == 0 || (::access(bytes.constData(), W_OK) != 0 && errno == EACCES))
        return QStringLiteral("Cannot save %1: it is read-only").arg(Quoted(path));
    return QString();
}

}  // namespace

bool PathEntryExists(const QString& path)
{
    struct stat st;
    return ::lstat(PathToBytes(path).constData(), &st) == 0;
}

bool IsFolder(const QString& path)
{
    struct stat st;
    return ::stat(PathToBytes(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QStringList RegularFileNames(const QString& folder)
{
    QStringList names;
    const QByteArray dirBytes = PathToBytes(folder);
    DIR* dir = ::opendir(dirBytes.constData());
    if (!dir)
        return names;
    while (const dirent* e = ::readdir(dir)) {
        struct stat st;
        const QByteArray path = dirBytes + '/' + e->d_name;
        if (::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
            names += PathFromBytes(QByteArray(e->d_name));
    }
    ::closedir(dir);
    return names;
}

QString NotRegularFileMessage(const QString& path)
{
    const QByteArray name = PathToBytes(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return StatFailure(path, name, errno);
    return KindMessage(path, st);
}

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
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    QByteArray target = PathToBytes(path);
    struct stat old;
    bool exists = false;
    // Only a regular file is replaced: a pipe, a device or a folder at the name stays
    // what it is, and a link that leads nowhere is not turned into a file.
    if (const QString why = NotReplaceableMessage(path, target, &old, &exists); !why.isEmpty())
        return fail(why);
    // A symbolic link stays a link: the file it points to is replaced.
    if (exists) {
        if (char* real = ::realpath(target.constData(), nullptr)) {
            target = real;
            ::free(real);
        }
    }
    const QString folder = FolderOf(PathFromBytes(target));
    const QByteArray folderBytes = PathToBytes(folder);

    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        QString tag;
        for (int k = 0; k < file_access::kSaveTempTagChars; ++k)
            tag += QLatin1Char("abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)]);
        temp = folderBytes + '/' + PathToBytes(file_access::kSaveTempPrefix + tag + file_access::kSaveTempSuffix);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(WriteFailure(path, folder, errno));
    }
    if (fd < 0)
        return fail(WriteFailure(path, folder, EEXIST));
    if (exists)
        (void)::fchmod(fd, old.st_mode & 07777);

    int writeError = 0;
    for (qsizetype done = 0; done < bytes.size() && !writeError;) {
        const ssize_t put = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0 && errno != EINTR)
            writeError = errno;
        else if (put > 0)
            done += put;
    }
    if (!writeError && ::fsync(fd) != 0)
        writeError = errno;
    if (::close(fd) != 0 && !writeError)
        writeError = errno;
    if (!writeError && ::rename(temp.constData(), target.constData()) != 0)
        writeError = errno;
    if (writeError) {
        ::unlink(temp.constData());
        return fail(WriteFailure(path, folder, writeError));
    }
    return true;
}

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

int RemoveStaleSaveTempFiles(const QString& folder, qint64 minAgeSeconds)
{
    const QByteArray dirBytes = PathToBytes(folder);
    DIR* dir = ::opendir(dirBytes.constData());
    if (!dir)
        return 0;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        const QString name = PathFromBytes(QByteArray(e->d_name));
        if (!IsSaveTempFileName(name))
            continue;
        const QByteArray path = dirBytes + '/' + e->d_name;
        struct stat st;
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= minAgeSeconds &&
            ::unlink(path.constData()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

}  // namespace tavrola

#endif
