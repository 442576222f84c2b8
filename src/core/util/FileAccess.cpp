#include "util/FileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFile>
#include <QSaveFile>
#endif

namespace tavrola {

namespace {
const QString kSaveTempPrefix = QStringLiteral("~tavrola-save-");
const QString kSaveTempSuffix = QStringLiteral(".tmp");

bool IsKeptByte(char16_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}

QString ByteEscape(unsigned byte)
{
    return QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
}

QString NotFound(const QString& path)
{
    return QStringLiteral("File not found: %1").arg(Quoted(path));
}

QString TooLarge(const QString& path, qint64 maxBytes)
{
    return QStringLiteral("File too large: %1 (more than %2 bytes)").arg(Quoted(path)).arg(maxBytes);
}

QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}
}  // namespace

int Utf8SequenceLength(const unsigned char* p, qsizetype left)
{
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    int len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0)
            lo = 0xA0;
        else if (b == 0xED)
            hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0)
            lo = 0x90;
        else if (b == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (left < len || p[1] < lo || p[1] > hi)
        return 0;
    for (int k = 2; k < len; ++k)
        if ((p[k] & 0xC0) != 0x80)
            return 0;
    return len;
}

QString PathFromBytes(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int len = Utf8SequenceLength(p + i, n - i);
        if (len == 0) {
            out.append(QChar(char16_t(0xDC00 + p[i])));
            ++i;
        } else {
            out.append(QString::fromUtf8(bytes.constData() + i, len));
            i += len;
        }
    }
    return out;
}

QByteArray PathToBytes(const QString& path)
{
    QByteArray out;
    out.reserve(path.size());
    qsizetype start = 0;  // start of the run of ordinary characters not yet encoded
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        const bool pairedLow = i > 0 && path[i - 1].isHighSurrogate();
        if (IsKeptByte(c) && !pairedLow) {
            out += QStringView(path).mid(start, i - start).toUtf8();
            out += char(c - 0xDC00);
            start = i + 1;
        }
    }
    out += QStringView(path).mid(start).toUtf8();
    return out;
}

QString Quoted(const QString& text)
{
    QString body = text;
    if (body.size() > kQuotedMaxChars) {
        const int keep = kQuotedMaxChars / 2;
        body = body.left(keep) + QStringLiteral("\u2026 (%1 characters) \u2026").arg(text.size()) + body.right(keep);
    }
    QString out;
    out.reserve(body.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char16_t c = body[i].unicode();
        if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c < 0x20 || c == 0x7F) {
            out += ByteEscape(c);
        } else if (IsKeptByte(c) && !(i > 0 && body[i - 1].isHighSurrogate())) {
            out += ByteEscape(c - 0xDC00);
        } else {
            out += QChar(c);
        }
    }
    out += u'"';
    return out;
}

#ifdef Q_OS_UNIX

namespace {

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why a stat() of `path` that succeeded does not describe a regular file; empty if it does.
QString KindMessage(const QString& path, const struct stat& st)
{
    const char* kind = S_ISREG(st.st_mode)    ? nullptr
                       : S_ISDIR(st.st_mode)  ? "a folder"
                       : S_ISFIFO(st.st_mode) ? "a named pipe"
                       : S_ISSOCK(st.st_mode) ? "a socket"
                       : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device"
                                                                     : "not a regular file";
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
    default: why = Reason(error);
    }
    return QStringLiteral("Cannot save %1: %2").arg(Quoted(path), why);
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
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(QStringLiteral("Cannot save %1: it is a folder").arg(Quoted(path)));
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
        for (int k = 0; k < 6; ++k)
            tag += QLatin1Char("abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)]);
        temp = folderBytes + '/' + PathToBytes(kSaveTempPrefix + tag + kSaveTempSuffix);
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

#else  // Qt's own file access where POSIX is not there

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
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QStringLiteral("Cannot save %1: it is a folder").arg(Quoted(path));
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

#endif

bool IsSaveTempFileName(const QString& fileName)
{
    return fileName.startsWith(kSaveTempPrefix) && fileName.endsWith(kSaveTempSuffix) &&
           fileName.size() == kSaveTempPrefix.size() + 6 + kSaveTempSuffix.size();
}

}  // namespace tavrola
