#pragma once
#include "Ui.h"
#include "cli/Command.h"
#include "document/WardModel.h"
#include "document/WeekFileCommands.h"
#include "weeks/WeekView.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavrola::cli {

// No one to ask: questions get the answers set beforehand (No, and Cancel where it may
// be given, unless told otherwise), the open dialog is cancelled and the save dialog
// answers with `saveTo`. Messages are kept for the one-line report.
class BatchUi : public Ui {
public:
    QString saveTo;
    QStringList errors;
    Answer yesNo = Answer::No;
    Answer yesNoCancel = Answer::Cancel;
    QString yesTo;  // the one question answered Yes whatever `yesNo` says
    bool force = false;  // a save goes over a week held elsewhere or changed on disk

    void showError(const QString& text) override { errors += text; }
    void showWarning(const QString& text) override { errors += text; }
    void showInformation(const QString&) override {}
    Answer askYesNo(const QString& text) override
    {
        return !yesTo.isEmpty() && text == yesTo ? Answer::Yes : yesNo;
    }
    Answer askYesNoCancel(const QString&) override { return yesNoCancel; }
    Answer askYesNoAll(const QString&) override { return Answer::No; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return saveTo;
    }
    void processEvents() override {}
    void setBusy(bool) override {}
    bool openDocument(const QString&) override { return false; }
    bool registerFileType(const QString&, const QString&) override { return false; }
    // A week file another window holds is still read (read-only); nothing is saved over
    // a file that is held or changed on disk unless forced: the question's first
    // sentence is reported.
    int chooseAmong(const QString& text, const QStringList& choices) override
    {
        const bool overwrite = choices.value(0) == QLatin1String("Overwrite");
        if (choices.value(0) == QLatin1String("Open read-only") || (force && overwrite))
            return 0;
        errors += text.section(u'\r', 0, 0) + (overwrite ? QStringLiteral(" Not saved (--force saves over it).") : QString());
        return -1;
    }
};

// The ward of a data folder and the week open in it, as the window holds them, with no
// one to ask.
struct OpenWard {
    WardModel model;
    WeekView labels;
    BatchUi ui;
    QStringList reported;  // the messages printed while the week opened
};

// How the week is opened.
enum class WeekPick {
    None,            // the ward alone: the staff list on an empty grid
    File,            // a week file, loaded as File > Load does
    UserPick,        // the user picks the date: its stored week is offered, and loaded
    StoredOrNew,     // the date's stored week is loaded when there is one, else the date's
                     // week is selected with the shown duties
    StoredFileOnly,  // the date's stored week is read on to the grid, without the history
                     // and requirements steps, and counts as chosen
};

struct WeekRequest {
    WeekPick pick = WeekPick::None;
    QString file;   // File: the week file, as given
    QDate date;     // the picked date, moved to its Monday
    QDate startup;  // the picker's date at start, when set: a week picked there is not chosen
};

// Reads Staff.txt from the data folder into the model; prints the message and returns
// false on failure.
bool LoadWard(WardModel& model, const QString& dataFolder, Console& io);

// Opens the ward of the data folder and the week asked for, as the window does: the
// totals follow the grid, the week chain runs (history, requirements). A week that does
// not open is an error (printed, false); messages of a week that did open (an unreadable
// clinic list, a damaged stored week left out of the history) are printed and cleared.
bool OpenWardAndWeek(OpenWard& ward, const QString& dataFolder, const WeekRequest& request, Console& io);

// Whether a command may save a week to `path` (checked before the week opens): not when
// another window or program holds it, unless `force`; the refusal is printed.
bool MaySaveWeekTo(const QString& path, bool force, Console& io);

// The option that lets a week be saved over a lock, and whether it was given.
inline const Option kForceOption{"force", nullptr, OptionKind::Flag};
bool Forced(const CommandArgs& args);

// Clinic.rtf must read for a command that uses its extras (a missing one adds nothing):
// one that does not is printed and false returned, unless --no-clinics leaves the
// clinics out of the ward's week altogether.
inline const Option kNoClinicsOption{"no-clinics", nullptr, OptionKind::Flag};
bool ClinicsReadOrLeftOut(OpenWard& ward, const CommandArgs& args, Console& io);

// An argument as an absolute path, by text alone: QFileInfo would lose a byte of the name
// that is not valid UTF-8.
QString AbsolutePath(const QString& path);
// A message as one line.
QString OneLine(QString text);

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

// The commands, one instance each.
const Command& EvalCommand();
const Command& SettingsCommand();
const Command& WeekCommand();
const Command& RequirementsCommand();
const Command& HistoryCommand();
const Command& ClinicsCommand();
const Command& StatsCommand();
const Command& PrintCommand();
const Command& FillCommand();
const Command& CheckCommand();

}  // namespace tavrola::cli
