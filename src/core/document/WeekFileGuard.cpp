#include "document/WeekFileGuard.h"

#include "Ui.h"
#include "util/FileAccess.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocale>
#include <QFile>
#include <QLockFile>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace tavrola {

namespace {

constexpr qint64 kMaxStampedBytes = 64 * 1024 * 1024;

// Which file a path names now (device and inode), so that a lock file removed and made
// again by another holder is told from our own.
QByteArray LockFileId(const QString& path)
{
#ifndef Q_OS_UNIX
    const QFileInfo info(path);
    return info.exists() ? info.birthTime().toString(Qt::ISODateWithMs).toUtf8() : QByteArray();
#else
    struct stat st;
    // Named as QLockFile names it on disk.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QByteArray();
    return QByteArray::number(qulonglong(st.st_dev)) + ':' + QByteArray::number(qulonglong(st.st_ino));
#endif
}

QString SamePathKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

FileStamp StampOf(const QString& path)
{
    FileStamp s;
    const QFileInfo info(path);
    if (!info.exists())
        return s;
    s.exists = true;
    s.size = info.size();
    s.modified = info.lastModified();
    const FileBytes read = ReadFileBytes(path, kMaxStampedBytes);
    if (read.ok)
        s.hash = QCryptographicHash::hash(read.bytes, QCryptographicHash::Sha256);
    return s;
}

QString LockHolderText(const QString& lockPath)
{
    QLockFile probe(lockPath);
    qint64 pid = 0;
    QString host, app;
    const QDateTime since = QFileInfo(lockPath).lastModified();
    const QString when = since.isValid() ? QLocale().toString(since.time(), QStringLiteral("HH:mm")) : QString();
    if (!probe.getLockInfo(&pid, &host, &app))
        return when.isEmpty() ? QStringLiteral("open elsewhere") : QStringLiteral("open elsewhere since %1").arg(when);
    if (host.isEmpty())
        host = QStringLiteral("another computer");
    return when.isEmpty() ? QStringLiteral("open on %1").arg(host) : QStringLiteral("open on %1 since %2").arg(host, when);
}

FileLock::FileLock(const QString& path) : path_(path), lock_(std::make_unique<QLockFile>(path + QStringLiteral(".lock")))
{
    // A document stays open for hours: only a lock whose process has died is stale.
    lock_->setStaleLockTime(0);
}

FileLock::~FileLock()
{
    // Taken over: unlocking would remove the lock file by name, which is now the new
    // holder's. The small lock object is kept, untouched, to the end of the process.
    if (lock_->isLocked() && !locked()) {
        static auto* const givenUp = new std::vector<std::unique_ptr<QLockFile>>;
        givenUp->push_back(std::move(lock_));
    }
}

bool FileLock::tryLock()
{
    if (locked())
        return true;
    if (lock_->isLocked())
        return false;  // taken over by another window: it stays theirs
    if (lock_->tryLock(0)) {
        id_ = LockFileId(lockPath());
        return true;
    }
    // Only another holder says no: a folder where no lock can be made (read-only, a
    // share without locks) leaves the file as free as it was before there were locks.
    return lock_->error() != QLockFile::LockFailedError;
}

bool FileLock::takeOver()
{
    if (tryLock())
        return true;
    if (lock_->isLocked())
        return false;
    // A live holder keeps a system lock on its file, so it is not "stale" to QLockFile:
    // its file goes, and the holder learns from locked() that the lock is no longer its.
    if (!lock_->removeStaleLockFile())
        QFile::remove(lockPath());
    return tryLock();
}

bool FileLock::locked() const
{
    // The lock file on disk must still be the one made: another window may have taken it over.
    // (A lock file that could not be looked at when made is trusted as before.)
    return lock_->isLocked() && (id_.isEmpty() || LockFileId(lockPath()) == id_);
}

WeekFileGuard::WeekFileGuard() = default;
WeekFileGuard::~WeekFileGuard() = default;

bool WeekFileGuard::attach(const QString& path)
{
    if (!lock_ || SamePathKey(lock_->path()) != SamePathKey(path))
        lock_ = std::make_unique<FileLock>(path);
    path_ = path;
    stamp_ = StampOf(path);
    readOnly_ = !lock_->tryLock();
    if (readOnly_)
        lock_.reset();
    return !readOnly_;
}

bool WeekFileGuard::askAboutHeldFile(const QString& path, Ui& ui, bool* readOnly)
{
    *readOnly = false;
    if (lock_ && lock_->locked() && SamePathKey(lock_->path()) == SamePathKey(path))
        return true;
    FileLock probe(path);
    if (probe.tryLock())
        return true;  // free (the probe lets go of it again)
    const QString text = QStringLiteral("The week file %1 is %2.\r\rOpen it read-only, or take it over "
                                        "(the other window can then no longer save it without asking)?")
                             .arg(Quoted(QFileInfo(path).fileName()), LockHolderText(probe.lockPath()));
    switch (ui.chooseAmong(text, {QStringLiteral("Open read-only"), QStringLiteral("Take it over")})) {
    case 0: *readOnly = true; return true;
    case 1: return probe.takeOver();  // released at once: the load takes it for good
    default: return false;
    }
}

void WeekFileGuard::detach()
{
    path_.clear();
    stamp_ = FileStamp();
    lock_.reset();
    readOnly_ = false;
}

void WeekFileGuard::written(const QString& path)
{
    if (!lock_ || SamePathKey(lock_->path()) != SamePathKey(path)) {
        lock_ = std::make_unique<FileLock>(path);
        lock_->tryLock();
    }
    path_ = path;
    stamp_ = StampOf(path);
    readOnly_ = false;
}

bool WeekFileGuard::mayWrite(const QString& path, Ui& ui, bool* saveAs)
{
    *saveAs = false;
    const bool ours = !path_.isEmpty() && SamePathKey(path) == SamePathKey(path_);
    const QString name = Quoted(QFileInfo(path).fileName());
    QString why;
    if (!(ours && !readOnly_ && lock_ && lock_->locked()) && PathEntryExists(path)) {
        FileLock probe(path);
        if (!probe.tryLock())
            why = QStringLiteral("The week file %1 is %2.").arg(name, LockHolderText(probe.lockPath()));
    }
    // Not held by another: only a change behind our back stands in the way.
    if (why.isEmpty() && ours && StampOf(path) != stamp_)
        why = QStringLiteral("The week file %1 was changed on disk since Tavrola read it "
                             "(by another window or program).")
                  .arg(name);
    if (why.isEmpty())
        return true;
    switch (ui.chooseAmong(why + QStringLiteral("\r\rOverwrite it with this week, or save under another name?"),
                           {QStringLiteral("Overwrite"), QStringLiteral("Save under another name")})) {
    case 0: return true;
    case 1: *saveAs = true; return false;
    default: return false;
    }
}

}  // namespace tavrola
