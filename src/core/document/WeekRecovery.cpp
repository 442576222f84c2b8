#include "document/WeekRecovery.h"

#include "Ui.h"
#include "document/RosterDocument.h"
#include "util/FileAccess.h"
#include "util/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tavrola {

namespace {
constexpr int kDelayMs = 400;  // a burst of keystrokes makes one write

std::unique_ptr<QLockFile> LockFor(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);  // only a dead holder's lock is taken over
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}
}  // namespace

WeekRecovery::WeekRecovery(RosterDocument& document) : document_(document)
{
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { update(); });
}

WeekRecovery::~WeekRecovery()
{
    if (!file_.isEmpty())
        post({file_, nullptr, std::move(lock_)});
    {
        std::unique_lock guard(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void WeekRecovery::enable(const QString& folder)
{
    if (!folder_.isEmpty() || folder.isEmpty())
        return;
    QDir().mkpath(folder);
    folder_ = QDir::cleanPath(folder);
    worker_ = std::thread([this] { run(); });
    schedule();
}

void WeekRecovery::schedule()
{
    // Without an event loop (tests) the file follows on flush() only.
    if (enabled() && QCoreApplication::instance() && !timer_.isActive())
        timer_.start();
}

void WeekRecovery::flush()
{
    if (!enabled())
        return;
    timer_.stop();
    update();
    std::unique_lock guard(mutex_);
    idle_.wait(guard, [this] { return jobs_.empty() && !busy_; });
}

void WeekRecovery::update()
{
    const QDate monday = document_.shownWeek();
    const bool keep = document_.Week.RosterChanged && monday.isValid() && !document_.folder().isEmpty();
    const QString wanted =
        keep ? RecoveryFileName(folder_, document_.folder(), monday, QCoreApplication::applicationPid()) : QString();
    if (wanted != file_) {
        if (!file_.isEmpty())
            post({file_, nullptr, std::move(lock_)});
        file_.clear();
        if (!wanted.isEmpty()) {
            lock_ = LockFor(wanted);
            if (lock_)
                file_ = wanted;
        }
    }
    if (file_.isEmpty())
        return;
    auto record = std::make_shared<RecoveryRecord>();
    record->wardFolder = QDir::cleanPath(QFileInfo(document_.folder()).absoluteFilePath()) + u'/';
    record->weekFile = document_.File.path();
    record->monday = monday;
    record->written = QDateTime::currentDateTimeUtc();
    record->week = document_.Week.data();
    post({file_, std::move(record), nullptr});
}

void WeekRecovery::post(Job job)
{
    {
        std::unique_lock guard(mutex_);
        // Only the newest state of a file matters: a write not yet begun is replaced.
        if (job.record)
            std::erase_if(jobs_, [&](const Job& j) { return j.path == job.path && j.record; });
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void WeekRecovery::run()
{
    std::unique_lock guard(mutex_);
    for (;;) {
        wake_.wait(guard, [this] { return stop_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            if (stop_)
                return;
            continue;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        guard.unlock();
        if (job.record) {
            QString error;
            WriteFileAtomically(job.path, RecoveryText(*job.record).toUtf8(), &error);
        } else {
            QFile::remove(job.path);
        }
        job.releaseAfter.reset();  // the lock goes only once the file has
        guard.lock();
        busy_ = false;
        if (jobs_.empty())
            idle_.notify_all();
    }
}

std::vector<RecoveryOffer> FindRecoveryOffers(const QString& folder, const QString& wardFolder)
{
    std::vector<RecoveryOffer> offers;
    const QString ward = QDir::cleanPath(QFileInfo(wardFolder).absoluteFilePath()) + u'/';
    const QStringList names = QDir(folder).entryList({RecoveryWardPrefix(ward) + QStringLiteral("-*.twr")}, QDir::Files);
    for (const QString& name : names) {
        const QString path = folder + u'/' + name;
        std::shared_ptr<QLockFile> lock = LockFor(path);
        if (!lock)
            continue;  // a running program keeps it
        const FileBytes bytes = ReadFileBytes(path, 16 * 1024 * 1024);
        QString text;
        if (bytes.ok)
            text = QString::fromUtf8(bytes.bytes);
        auto record = bytes.ok ? ParseRecoveryText(text) : std::nullopt;
        if (record && record->wardFolder != ward)
            continue;  // another folder of the same hash: not ours to judge
        // Damaged, or its week was saved since it was written: nothing to offer.
        const QFileInfo weekFile(record ? record->weekFile : QString());
        if (!record || (!record->weekFile.isEmpty() && weekFile.exists() && weekFile.lastModified() >= record->written)) {
            QFile::remove(path);
            continue;
        }
        offers.push_back({path, std::move(*record), std::move(lock)});
    }
    std::sort(offers.begin(), offers.end(),
              [](const RecoveryOffer& a, const RecoveryOffer& b) { return a.record.written > b.record.written; });
    return offers;
}

namespace {
// The recovered week over the open one, as one step.
void PutRecovered(RosterDocument& document, const WeekData& data)
{
    std::vector<BoxEdit> edits;
    for (int line = 1; line <= kLines; ++line) {
        for (int day = 1; day <= kDays; ++day)
            edits.push_back({BoxRef::cell(day, line), data.Cells[day][line], data.CellColours[day][line]});
        edits.push_back({BoxRef::name(line), data.Names[line], White});
        edits.push_back({BoxRef::hoursSet(line), data.HoursSet[line], White});
        edits.push_back({BoxRef::lectures(line), data.Notes[line], White});
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            edits.push_back({BoxRef::required(day, shift), data.Required[day][shift], White});
    document.applyEdits(QStringLiteral("Restore unsaved changes"), edits);
}
}  // namespace

bool OfferRecoveries(RosterDocument& document, Ui& ui, const QString& folder)
{
    for (RecoveryOffer& offer : FindRecoveryOffers(folder, document.folder())) {
        if (ui.askYesNo(RestoreQuestion(offer.record, QDateTime::currentDateTimeUtc())) != Answer::Yes) {
            QFile::remove(offer.path);
            continue;
        }
        const RecoveryRecord& r = offer.record;
        const bool opened = !r.weekFile.isEmpty() && QFileInfo(r.weekFile).isFile()
            ? document.load(ui, r.weekFile)
            : document.pickWeek(r.monday, ui);
        if (!opened || document.shownWeek() != r.monday)
            return false;  // the file stays for the next start
        PutRecovered(document, r.week);
        QFile::remove(offer.path);
        return true;
    }
    return false;
}

}  // namespace tavrola
