#pragma once
#include "roster/WardModel.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace tavrola::cli {

enum ExitCode { Ok = 0, BadInput = 1, Usage = 2 };

// Options every command takes, and what is left over.
struct CommonArgs {
    QString dataFolder;  // resolved, ends in a separator
    bool json = false;
    QStringList rest;
    QString error;       // a usage error
};

CommonArgs ParseCommonArgs(const QStringList& args, const QString& programFolder);

// Reads Staff.txt from the data folder into the model; prints the message and returns
// false on failure.
bool LoadWard(WardModel& model, const QString& dataFolder);

void PrintLine(const QString& text);
void PrintError(const QString& text);

// One JSON object, built key by key in order, printed as one line.
class JsonLine {
public:
    JsonLine& add(const char* key, const QString& value);
    JsonLine& add(const char* key, bool value);
    JsonLine& add(const char* key, qint64 value);
    JsonLine& addFloat(const char* key, float value);
    JsonLine& addRaw(const char* key, const QString& json);
    JsonLine& addStrings(const char* key, const QStringList& values);
    QString text() const { return QStringLiteral("{") + body_ + QStringLiteral("}"); }
    static QString quote(const QString& s);

private:
    void key(const char* k);
    QString body_;
};

int RunEval(const QStringList& args, const QString& programFolder);
int RunSettings(const QStringList& args, const QString& programFolder);
int RunWeek(const QStringList& args, const QString& programFolder);
int RunRequirements(const QStringList& args, const QString& programFolder);
int RunHistory(const QStringList& args, const QString& programFolder);

// Takes "--week DATE" (or "--week=DATE") out of `rest`: the week-commencing date, ISO or
// the locale's short form. A missing or unreadable date sets `error`.
QDate TakeWeekOption(QStringList& rest, QString* error);

// The arguments of a command about one week (--week DATE, --data, --json, nothing else).
// Prints the usage error and returns false when they are wrong.
bool ParseWeekCommandArgs(const QStringList& args, const QString& programFolder, const char* command,
                          CommonArgs* common, QDate* week);

}  // namespace tavrola::cli
