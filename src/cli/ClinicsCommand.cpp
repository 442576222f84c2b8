#include "cli/CliCommon.h"

#include "clinics/ClinicDay.h"
#include "clinics/ClinicFile.h"
#include "clinics/RtfReader.h"
#include "document/ClinicNotesStep.h"
#include "util/FileAccess.h"
#include "weeks/WeekSelection.h"

#include <QDir>
#include <QTextDocument>

namespace tavrola::cli {

namespace {

const QString kDay = QStringLiteral("day");
const QString kResave = QStringLiteral("resave");

// Reads Clinic.rtf as the clinic editor does and saves it as its OK does.
int Resave(const CommandArgs& common, Console& io)
{
    const QString path = common.dataFolder + kClinicFileName;
    if (!PathEntryExists(path)) {
        io.error(QStringLiteral("%1 was not found").arg(Quoted(QDir::toNativeSeparators(path))));
        return BadInput;
    }
    QTextDocument doc;
    QString error;
    if (!LoadClinicDocument(common.dataFolder, &doc, &error) || !SaveClinicDocument(common.dataFolder, doc, &error)) {
        io.error(error);
        return BadInput;
    }
    const qsizetype lines = DocumentPlainLines(doc).size();
    if (common.json)
        io.line(JsonLine().add("file", QDir::toNativeSeparators(path)).add("lines", qint64(lines)).text());
    else
        io.line(QStringLiteral("saved %1: %2 lines").arg(Quoted(QDir::toNativeSeparators(path))).arg(lines));
    return Ok;
}

void PrintDay(Console& io, const CommandArgs& common, const ClinicDayChoice& choice, const ClinicDayList& list,
              const std::array<QString, kLines>& column)
{
    const QString date = choice.date.toString(Qt::ISODate);
    if (common.json) {
        io.line(JsonLine()
                    .add("day", qint64(choice.day))
                    .add("date", date)
                    .add("week_number", qint64(choice.weekNumber))
                    .add("caption", list.caption)
                    .addStrings("lines", list.lines)
                    .addStrings("column", QStringList(column.begin(), column.end()))
                    .text());
        return;
    }
    io.line(QStringLiteral("day\t%1\t%2").arg(choice.day).arg(DayName(choice.day)));
    io.line(QStringLiteral("date\t") + date);
    io.line(QStringLiteral("week_number\t%1").arg(choice.weekNumber));
    io.line(QStringLiteral("caption\t") + list.caption);
    for (const QString& line : list.lines)
        io.line(QStringLiteral("line\t") + line);
    for (int line = 1; line <= kLines; ++line)
        io.line(QStringLiteral("column\t%1\t%2").arg(line).arg(column[size_t(line - 1)]));
}

class ClinicsVerb final : public Command {
public:
    const char* name() const override { return "clinics"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{"week", "DATE", OptionKind::Date, Shown::InItsForm},
                                              {"day", "1..7"},
                                              {"resave", nullptr, OptionKind::Flag, Shown::InItsForm, 2},
                                              {"data", "DIR", OptionKind::Value, Shown::Optional, 3},
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  clinics --week DATE [--day 1..7]\n"
               "                   each day's clinic pop-up: caption, week of the month, the clinic\n"
               "                   lines, and the day's 25 grid texts after a click on it (from the\n"
               "                   stored week, else the staff list); --json gives {day, date,\n"
               "                   week_number, caption, lines, column}\n"
               "  clinics --resave reads Clinic.rtf and saves it again as the clinic editor's OK does\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int ClinicsVerb::execute(const CommandArgs& common, Console& io) const
{
    auto usage = [&](const QString& why) { return usageError(io, why); };
    const bool resave = common.flags.contains(kResave);
    if (resave && (common.week.isValid() || common.values.contains(kDay)))
        return usage(QStringLiteral("--resave takes neither --week nor --day"));
    if (resave)
        return Resave(common, io);
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

    // The stored week of that date when there is one, else the staff list on an empty grid.
    const QDate monday = WeekCommencingMonday(common.week);
    OpenWard ward;
    if (!OpenWardAndWeek(ward, common.dataFolder, {WeekPick::StoredFileOnly, QString(), monday, monday}, io))
        return BadInput;
    WardModel& model = ward.model;

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
                io.error(list.problem);
                return BadInput;
            }
            if (!reported)
                io.error(list.problem);
            reported = true;
        }
        WriteClinicNotes(model, day, list.lines);  // the click on the day's pop-up
        std::array<QString, kLines> column;
        for (int line = 1; line <= kLines; ++line)
            column[size_t(line - 1)] = model.Week.data().Cells[day][line];
        PrintDay(io, common, choice, list, column);
        if (!common.json && day < kDays && !onlyDay)
            io.line(QString());
    }
    return Ok;
}

const Command& ClinicsCommand()
{
    static const ClinicsVerb command;
    return command;
}

}  // namespace tavrola::cli
