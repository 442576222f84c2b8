#include "cli/CliCommon.h"

#include "clinics/ClinicDay.h"
#include "clinics/ClinicFile.h"
#include "clinics/RtfReader.h"
#include "document/ClinicNotesStep.h"
#include "util/FileAccess.h"
#include "document/WeekFileLoad.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekSelection.h"

#include <QDir>
#include <QTextDocument>

namespace tavrola::cli {

namespace {

const QString kDay = QStringLiteral("day");
const QString kResave = QStringLiteral("resave");

// Reads Clinic.rtf as the clinic editor does and saves it as its OK does.
int Resave(const CommandArgs& common)
{
    const QString path = common.dataFolder + kClinicFileName;
    if (!PathEntryExists(path)) {
        PrintError(QStringLiteral("%1 was not found").arg(Quoted(QDir::toNativeSeparators(path))));
        return BadInput;
    }
    QTextDocument doc;
    QString error;
    if (!LoadClinicDocument(common.dataFolder, &doc, &error) || !SaveClinicDocument(common.dataFolder, doc, &error)) {
        PrintError(error);
        return BadInput;
    }
    const qsizetype lines = DocumentPlainLines(doc).size();
    if (common.json)
        PrintLine(JsonLine().add("file", QDir::toNativeSeparators(path)).add("lines", qint64(lines)).text());
    else
        PrintLine(QStringLiteral("saved %1: %2 lines").arg(Quoted(QDir::toNativeSeparators(path))).arg(lines));
    return Ok;
}

void PrintDay(const CommandArgs& common, const ClinicDayChoice& choice, const ClinicDayList& list,
              const std::array<QString, kLines>& column)
{
    const QString date = choice.date.toString(Qt::ISODate);
    if (common.json) {
        PrintLine(JsonLine()
                      .add("day", qint64(choice.day))
                      .add("date", date)
                      .add("week_number", qint64(choice.weekNumber))
                      .add("caption", list.caption)
                      .addStrings("lines", list.lines)
                      .addStrings("column", QStringList(column.begin(), column.end()))
                      .text());
        return;
    }
    PrintLine(QStringLiteral("day\t%1\t%2").arg(choice.day).arg(DayName(choice.day)));
    PrintLine(QStringLiteral("date\t") + date);
    PrintLine(QStringLiteral("week_number\t%1").arg(choice.weekNumber));
    PrintLine(QStringLiteral("caption\t") + list.caption);
    for (const QString& line : list.lines)
        PrintLine(QStringLiteral("line\t") + line);
    for (int line = 1; line <= kLines; ++line)
        PrintLine(QStringLiteral("column\t%1\t%2").arg(line).arg(column[size_t(line - 1)]));
}

}  // namespace

int RunClinics(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{
        "clinics", "clinics --week DATE [--day 1..7] [--data DIR] [--json] | clinics --resave [--data DIR]",
        true, false, 0, 0, {"day"}, true, {"resave"}};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    auto usage = [&](const QString& why) {
        PrintError(QStringLiteral("clinics: ") + why);
        std::fprintf(stderr, "usage: tavrola-cli %s\n", syntax.usage);
        return int(Usage);
    };
    const bool resave = common.flags.contains(kResave);
    if (resave && (common.week.isValid() || common.values.contains(kDay)))
        return usage(QStringLiteral("--resave takes neither --week nor --day"));
    if (resave)
        return Resave(common);
    if (!common.week.isValid())
        return usage(QStringLiteral("--week DATE or --resave is required"));
    int onlyDay = 0;
    if (common.values.contains(kDay)) {
        bool number = false;
        onlyDay = common.values.value(kDay).toInt(&number);
        if (!number || onlyDay < 1 || onlyDay > kDays)
            return usage(QStringLiteral("--day takes 1 (Monday) to 7 (Sunday), not %1")
                             .arg(Quoted(common.values.value(kDay))));
    }

    WardModel model;
    if (!LoadWard(model, common.dataFolder))
        return BadInput;
    // The stored week of that date when there is one, else the staff list on an empty grid.
    model.Week.PickerDate = model.Week.StartupPickerDate = WeekCommencingMonday(common.week);
    const QString weekFile = WeekFileName(model);
    if (PathEntryExists(weekFile)) {
        WeekView labels;
        QString error;
        if (!LoadWeekFile(model, labels, weekFile, &error)) {
            PrintError(error);
            return BadInput;
        }
    }
    model.Week.WeekSelected = true;

    bool reported = false;
    for (int day = 1; day <= kDays; ++day) {
        if (onlyDay && day != onlyDay)
            continue;
        ClinicDayChoice choice;
        choice.day = day;
        choice.date = model.Week.PickerDate.addDays(day - 1);
        choice.weekNumber = ClinicWeekNumber(choice.date);
        const ClinicDayList list = ListClinicDay(common.dataFolder, choice);
        if (!list.problem.isEmpty()) {
            // A missing list gives empty pop-ups, as in the program; a list that cannot
            // be read is an error.
            if (PathEntryExists(common.dataFolder + kClinicFileName)) {
                PrintError(list.problem);
                return BadInput;
            }
            if (!reported)
                PrintError(list.problem);
            reported = true;
        }
        WriteClinicNotes(model, day, list.lines);  // the click on the day's pop-up
        std::array<QString, kLines> column;
        for (int line = 1; line <= kLines; ++line)
            column[size_t(line - 1)] = model.Week.DayCells[day][line].text();
        PrintDay(common, choice, list, column);
        if (!common.json && day < kDays && !onlyDay)
            PrintLine(QString());
    }
    return Ok;
}

}  // namespace tavrola::cli
