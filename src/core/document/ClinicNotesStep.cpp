#include "document/ClinicNotesStep.h"

#include "clinics/ClinicDay.h"
#include "clinics/ClinicFile.h"
#include "clinics/RtfReader.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TraceLog.h"

#include <QDir>

namespace tavrola {

void AddClinicNotes(RosterDocument& doc, int day, const QStringList& dayLines, std::vector<BoxEdit>& edits)
{
    if (day < 1 || day > kDays)
        return;
    // The column as the edits would leave it.
    std::array<int, kLines> pending;
    pending.fill(-1);
    for (size_t i = 0; i < edits.size(); ++i)
        for (int line = 1; line <= kLines; ++line)
            if (edits[i].box == BoxRef::cell(day, line))
                pending[size_t(line - 1)] = int(i);
    std::array<QString, kLines> column;
    for (int line = 1; line <= kLines; ++line) {
        const int i = pending[size_t(line - 1)];
        column[size_t(line - 1)] = i >= 0 ? edits[size_t(i)].text : doc.Week.data().Cells[day][line];
    }
    const std::array<QString, kLines> after = ClinicNotesColumn(column, doc.Week.LinesWithNames(), dayLines);
    for (int line = 1; line <= kLines; ++line) {
        const size_t at = size_t(line - 1);
        if (after[at] == column[at])
            continue;
        if (pending[at] >= 0)
            edits[size_t(pending[at])].text = after[at];
        else
            edits.push_back({BoxRef::cell(day, line), after[at], doc.Week.data().CellColours[day][line]});
    }
}

std::vector<BoxEdit> ClinicNotesEdits(RosterDocument& doc, int day, const QStringList& dayLines)
{
    std::vector<BoxEdit> edits;
    AddClinicNotes(doc, day, dayLines, edits);
    return edits;
}

void AddClinicNotesOfWeek(RosterDocument& doc, const QStringList& clinicLines, std::vector<BoxEdit>& edits)
{
    for (int day = 1; day <= kDays; ++day) {
        const QDate date = doc.Week.PickerDate.addDays(day - 1);
        AddClinicNotes(doc, day, ClinicDayLines(clinicLines, day, ClinicWeekNumber(date)), edits);
    }
}

QString ClinicNotesLabel(int day)
{
    return QStringLiteral("Clinic notes on %1").arg(DayName(day));
}

bool WriteClinicNotes(RosterDocument& doc, int day, const QStringList& dayLines)
{
    doc.endFillRun();  // the notes go over the fill's result, never under it
    return doc.applyEdits(ClinicNotesLabel(day), ClinicNotesEdits(doc, day, dayLines));
}

bool ChooseClinicDay(const WardModel& model, Ui& ui, int day, ClinicDayChoice* choice)
{
    if (!model.Week.WeekChosen()) {
        ui.showError(QStringLiteral("Please set the tavrola \"Week Commencing Date\""));
        return false;
    }
    choice->day = day;
    choice->date = model.Week.PickerDate.addDays(day - 1);
    const QDate& d = choice->date;
    TraceLog(QStringLiteral("ClinicDate - Year:%1 Month:%2 Day:%3 %4")
                 .arg(d.year())
                 .arg(d.month())
                 .arg(d.day())
                 .arg(double(QDate(1899, 12, 30).daysTo(model.Week.PickerDate))));
    choice->weekNumber = ClinicWeekNumber(d);
    TraceLog(QStringLiteral("ClinicWeekNumber:%1").arg(choice->weekNumber));
    return true;
}

QString ClinicCaption(const ClinicDayChoice& choice)
{
    return QStringLiteral("Clinics-%1 %2 WK %3")
        .arg(DayName(choice.day), LongDateText(choice.date))
        .arg(choice.weekNumber);
}

ClinicDayList ListClinicDay(const QString& dataFolder, const ClinicDayChoice& choice)
{
    ClinicDayList list;
    list.caption = ClinicCaption(choice);
    TraceLog(QStringLiteral("\n\r\n\rINTO Clinic PopUp Form %1 %2 WK %3")
                 .arg(DayName(choice.day), LongDateText(choice.date))
                 .arg(choice.weekNumber));
    const QString path = dataFolder + kClinicFileName;
    if (!PathEntryExists(path)) {
        list.problem = QStringLiteral("No clinic list: %1 was not found. Use File > Setup Clinics to write one.")
                           .arg(Quoted(QDir::toNativeSeparators(path)));
        return list;
    }
    const RtfText read = ReadRtfFile(path);
    if (!read.ok) {
        list.problem = read.error;
        return list;
    }
    const QString dayName = QString(DayName(choice.day)).toUpper();
    const QString week = QString::number(choice.weekNumber);
    for (const QString& line : read.lines) {
        const QString weekText = ClinicWeekText(line);
        const bool adding = line.toUpper().contains(dayName) && weekText.contains(week);
        TraceLog(line + QString(11, u' ') + weekText + (adding ? QStringLiteral("    Adding ") : QString()));
    }
    list.lines = ClinicDayLines(read.lines, choice.day, choice.weekNumber);
    return list;
}

}  // namespace tavrola
