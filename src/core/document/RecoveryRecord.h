#pragma once
#include "roster/WeekData.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace tavrola {

// What a recovery file keeps of a week with unsaved changes: where it belongs (the ward
// folder, the week file in force, the week shown), when it was written, and the week as
// the grid held it.
struct RecoveryRecord {
    QString wardFolder;  // absolute, ending in a separator
    QString weekFile;    // the week file in force; empty for a week never saved
    QDate monday;        // the week shown
    QDateTime written;   // UTC
    WeekData week;
};

// The record as text: a header line, the places, then one line per field that is not as
// a new grid has it. Texts are escaped so that every value stays on its line.
QString RecoveryText(const RecoveryRecord& record);
// Reads a record back; nullopt (with `error` naming the line) for anything damaged.
std::optional<RecoveryRecord> ParseRecoveryText(const QString& text, QString* error = nullptr);

// The per-user folder for recovery files ($TAVROLA_RECOVERY_DIR when set).
QString RecoveryFolder();
// The recovery file of one process's document on one week of one ward:
// "<ward hash>-<yyyyMMdd>-<pid>.twr" in `folder`. The ward hash groups a ward's files.
QString RecoveryFileName(const QString& folder, const QString& wardFolder, const QDate& monday, qint64 pid);
QString RecoveryWardPrefix(const QString& wardFolder);

// The question at start: "Restore the unsaved changes to the week of 30 Nov 2026 from
// 09:41?" (the day is named too when the file was written on another day than `now`).
QString RestoreQuestion(const RecoveryRecord& record, const QDateTime& now);

}  // namespace tavrola
