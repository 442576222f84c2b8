#pragma once
#include "Ui.h"
#include "document/WardModel.h"
#include "document/WeekFileCommands.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace tavrola::cli {

enum ExitCode { Ok = 0, BadInput = 1, Usage = 2 };

// What a command takes besides --data DIR and --json.
struct CommandSyntax {
    const char* name;
    const char* usage;          // the command's line of the usage text
    bool week = false;          // --week DATE, required
    bool save = false;          // --save FILE
    int minTexts = 0;           // positional arguments
    int maxTexts = 0;           // -1: any number
    std::vector<const char*> valueOptions = {};  // further --NAME VALUE options
    bool weekOptional = false;  // --week DATE may be left out
    std::vector<const char*> flagOptions = {};   // further --NAME options without a value
};

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
};

struct CommandArgs {
    QString dataFolder;  // resolved, ends in a separator
    bool json = false;
    QStringList texts;   // the positional arguments
    QDate week;
    QString saveTo;
    QHash<QString, QString> values;  // the further options given, by name
    QStringList flags;                 // the further flags given
};

// Parses a command's arguments with one QCommandLineParser (options anywhere, "--" ends
// them), then checks the data folder before anything reads from it and clears stale save
// temporaries there. Returns -1 to go on, else the exit code after printing why: Usage
// for an unknown option, a missing or extra argument or a bad date, BadInput for a data
// folder that is not there.
int ParseCommand(const QStringList& args, const QString& programFolder, const CommandSyntax& syntax,
                 CommandArgs* out);

// Reads Staff.txt from the data folder into the model; prints the message and returns
// false on failure.
bool LoadWard(WardModel& model, const QString& dataFolder);

void PrintLine(const QString& text);
void PrintError(const QString& text);

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

int RunEval(const QStringList& args, const QString& programFolder);
int RunSettings(const QStringList& args, const QString& programFolder);
int RunWeek(const QStringList& args, const QString& programFolder);
int RunRequirements(const QStringList& args, const QString& programFolder);
int RunHistory(const QStringList& args, const QString& programFolder);
int RunPrint(const QStringList& args, const QString& programFolder);
int RunStats(const QStringList& args, const QString& programFolder);
int RunClinics(const QStringList& args, const QString& programFolder);

// Whether the command line asks for a picture, which needs a GUI application for fonts.
bool NeedsPictures(int argc, char** argv);
int RunFill(const QStringList& args, const QString& programFolder);

}  // namespace tavrola::cli
