#pragma once
#include "document/RecoveryRecord.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tavrola {

class RosterDocument;
class Ui;

// Keeps a recovery file of the document's week while it holds changes its file does
// not: written within a second of a change, atomically, by a thread of its own so that
// no keystroke waits for the disk; removed once the week is saved, discarded or left.
// Each document holds a lock on its own file, so a file whose lock is free was left by a
// program that ended without being asked (a crash, a kill, a power cut).
class WeekRecovery : public QObject {
public:
    explicit WeekRecovery(RosterDocument& document);
    ~WeekRecovery() override;  // a normal end: the file goes

    // Starts keeping recovery files in `folder` (the window does; the command line never).
    void enable(const QString& folder);
    bool enabled() const { return !folder_.isEmpty(); }
    // The week or its changed mark changed: the file is brought up to date shortly.
    void schedule();
    // Brings the file up to date now and waits until it is on disk (tests, shutdown).
    void flush();
    // The file kept now; empty when the week has nothing unsaved.
    const QString& file() const { return file_; }

private:
    struct Job {
        QString path;
        std::shared_ptr<const RecoveryRecord> record;  // null: remove the file
        std::unique_ptr<QLockFile> releaseAfter;       // the lock of a file given up
    };
    void update();
    void post(Job job);
    void run();

    RosterDocument& document_;
    QTimer timer_;
    QString folder_;
    QString file_;
    std::unique_ptr<QLockFile> lock_;

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread worker_;
};

// A recovery file left by a program that did not end normally, for a ward folder.
struct RecoveryOffer {
    QString path;
    RecoveryRecord record;
    std::shared_ptr<QLockFile> lock;  // held while the offer is open
};

// The recovery files in `folder` for `wardFolder` that no running program holds, newest
// first. Files older than the week file they belong to (saved since) and damaged files
// are removed.
std::vector<RecoveryOffer> FindRecoveryOffers(const QString& folder, const QString& wardFolder);

// Offers each recovery in turn ("Restore the unsaved changes to the week of ...?"). Yes
// opens its week (the week file, else the week picked) and puts the recovered week on
// top as one undo step; No removes the file. Stops after a restore, or when the week
// shown may not be left. Returns whether a week was restored.
bool OfferRecoveries(RosterDocument& document, Ui& ui, const QString& folder);

}  // namespace tavrola
