#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>

class QLockFile;

namespace tavrola {

class Ui;

// What a file was when the document read or wrote it: a save first checks that nobody
// changed it since (another window, a colleague on the shared folder, a text editor).
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;  // SHA-256 of the content
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

// Who holds a lock on a file, in words: "open on ward-pc-2 since 09:12".
QString LockHolderText(const QString& lockPath);

// A lock beside an open file ("<file>.lock"), as QLockFile keeps it: another window or
// program that opens the same file learns who has it; a lock left by a process that died
// is taken over. Released when the guard goes.
class FileLock {
public:
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock without waiting. False only when someone else holds it (true, but
    // not locked(), where no lock can be made at all).
    bool tryLock();
    // Takes the lock from its holder (the user chose to take the file over).
    bool takeOver();
    bool locked() const;
    const QString& path() const { return path_; }
    QString lockPath() const { return path_ + QStringLiteral(".lock"); }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    QByteArray id_;  // the lock file made, as LockFileId gives it
};

// The week file in force and what the document knows about it: its stamp when last read
// or written, and the lock the document holds on it (none when opened read-only).
class WeekFileGuard {
public:
    WeekFileGuard();
    ~WeekFileGuard();

    // The week file is now `path` as it stands on disk; the lock is taken when free.
    // Returns false when another holds it (then the guard keeps no lock: read-only).
    bool attach(const QString& path);
    // Asks about a file another holds before it is opened: "open read-only" (true,
    // readOnly set), "take it over" (true, the lock is then free for us) or Cancel
    // (false). A file we hold ourselves, or nobody holds, asks nothing.
    bool askAboutHeldFile(const QString& path, Ui& ui, bool* readOnly);
    // Nothing is in force (a new week without a file).
    void detach();
    // The file was written by us: its new stamp; the lock is ours.
    void written(const QString& path);

    // Before writing `path`: true when it is safe (not the file in force, or unchanged
    // since we read it and not held by another). Otherwise asks: overwrite (true),
    // save under another name (false, *saveAs set) or cancel (false).
    bool mayWrite(const QString& path, Ui& ui, bool* saveAs);

    const QString& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    QString path_;
    FileStamp stamp_;
    std::unique_ptr<FileLock> lock_;
    bool readOnly_ = false;
};

}  // namespace tavrola
