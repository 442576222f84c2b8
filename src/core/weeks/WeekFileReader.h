#pragma once
#include "weeks/WeekFileFormat.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavrola {

// The one message for a week file that cannot be read: file, line and why.
QString DamagedWeekFileMessage(const QString& path, int line, const QString& reason);

// The week files of a folder: *.rwk in any letter case, sorted by name without regard
// to case as the Windows file system lists them (ties broken by exact order).
QStringList ListWeekFiles(const QString& folder);

// Reads and checks a whole week file, all or nothing. On failure `error` names the file
// and, where there is one, the line; `data` is untouched.
bool ReadWeekFile(const QString& path, WeekFileData* data, QString* error);

// The same over the bytes of a week file already read; `path` names it in a message.
bool ParseWeekFileBytes(const QString& path, const QByteArray& bytes, WeekFileData* data, QString* error);

// The first line of a week file, read without the rest of the file.
struct WeekFileHead {
    bool read = false;   // the line could be read
    QString firstLine;   // as decoded
    QDate date;          // the week-commencing date; invalid when the line is not one
    QString error;       // a damaged-file message for line 1 when unread or not a date
};
WeekFileHead ReadWeekFileHead(const QString& path);

// The week-commencing dates of the readable week files of a folder (first lines only).
QList<QDate> StoredWeekDates(const QString& folder);

// The lines of a week file, unchecked, for a caller that converts only the lines it
// uses. Fails with `error` set when the file cannot be read or ends before `lastLine`.
bool ReadWeekFileLines(const QString& path, int lastLine, QStringList* lines, QString* error);

// One staff block as the history of stored weeks reads it from a week the loader took:
// the contracted hours and the non-preferred count as read (none is 0), the hours worked
// as shown, which must be a number or empty (0).
struct WeekFileHistoryBlock {
    QString name;
    float contracted = 0;
    float worked = 0;
    qint32 nonPref = 0;
};

// Staff block 1..25 of `week`, read from `path`. On an hours-worked line that is not a
// number returns false with `error` naming the file and line.
bool ReadHistoryBlock(const QString& path, const WeekFileData& week, int staff, WeekFileHistoryBlock* block,
                      QString* error);

}  // namespace tavrola
