#include "cli/CliCommon.h"

#include "Ui.h"
#include "document/WeekChain.h"
#include "document/Totals.h"
#include "util/TextUtil.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekView.h"

#include <QLocale>

namespace tavrola::cli {

namespace {

const char* const kDutyKeys[15] = {"",
                                   "NameAMShift", "NamePMShift", "NameNShift",
                                   "NameHolidayFullDay", "NameHolidayHalfDay", "NameIllness",
                                   "NameLeaveMaternity", "NameLeavePaternity", "NameLeaveCarers",
                                   "NameLeaveDomestic", "NameLeaveEmergency", "NameLeaveAbsent",
                                   "NameTrainingStudyDay", "NameTrainingAdminDay"};
const char* const kHourKeys[kWeekFileHourSettings] = {"HoursWorkedOnAM", "HoursWorkedOnPM",
                                                      "HoursWorkedOnN", "MidShiftBreak",
                                                      "HoursHolidayFullDay", "HoursHolidayHalfDay"};

qint64 BoxNumber(const Field& box)
{
    return box.text().trimmed().toLongLong();
}

void PrintJson(const WardModel& model, const WeekView& labels, const QString& file)
{
    const RosterWeek& w = model.Week;
    const WardSettings& s = model.Settings;
    JsonLine duties;
    for (int k = 1; k <= 14; ++k)
        duties.add(kDutyKeys[k], s.DutyName(k));
    JsonLine hours;
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        hours.addFloat(kHourKeys[k], WeekFileHourSetting(s, k));
    QStringList holidays;
    for (int day = 1; day <= kDays; ++day)
        holidays += labels.HolidayLabels[day];
    PrintLine(JsonLine()
                  .add("file", file)
                  .add("week", w.PickerDate.toString(Qt::ISODate))
                  .add("week_label", labels.WeekOfMonthLabel)
                  .add("hospital", s.HOSPITAL)
                  .add("ward", s.WARD)
                  .addStrings("holidays", holidays)
                  .addRaw("duty_names", duties.text())
                  .addRaw("duty_hours", hours.text())
                  .text());
    for (int line = 1; line <= kLines; ++line) {
        QStringList days;
        QString colours;
        for (int day = 1; day <= kDays; ++day) {
            days += w.DayCells[day][line].text();
            colours += (day > 1 ? QStringLiteral(",") : QString()) + QString::number(w.DayCells[day][line].colour());
        }
        PrintLine(JsonLine()
                      .add("line", qint64(line))
                      .add("name", w.NameEdits[line].text())
                      .add("hours_set", w.HoursSetEdits[line].text())
                      .addStrings("days", days)
                      .add("hours_worked", w.HoursWorkingEdits[line].text())
                      .add("non_preferred", qint64(w.WeekNonPrefCount[line]))
                      .addRaw("colours", QStringLiteral("[") + colours + QStringLiteral("]"))
                      .add("notes", w.LecturesEdits[line].text())
                      .text());
    }
    for (int day = 1; day <= kDays; ++day) {
        QString required, counted;
        for (int shift = 1; shift <= kShifts; ++shift) {
            const QString sep = shift > 1 ? QStringLiteral(",") : QString();
            required += sep + QString::number(BoxNumber(w.ShiftRequiredEdits[day][shift]));
            counted += sep + QString::number(w.ShiftCounts[day][shift]);
        }
        PrintLine(JsonLine()
                      .add("day", QString(DayName(day)))
                      .addRaw("required", QStringLiteral("[") + required + QStringLiteral("]"))
                      .addRaw("counted", QStringLiteral("[") + counted + QStringLiteral("]"))
                      .text());
    }
}

void PrintText(const WardModel& model, const WeekView& labels)
{
    const RosterWeek& w = model.Week;
    const WardSettings& s = model.Settings;
    PrintLine(QStringLiteral("Week commencing %1  %2")
                  .arg(QLocale().toString(w.PickerDate, QLocale::LongFormat), labels.WeekOfMonthLabel));
    PrintLine(QStringLiteral("%1, %2").arg(s.HOSPITAL, s.WARD));
    for (int day = 1; day <= kDays; ++day)
        if (!labels.HolidayLabels[day].isEmpty())
            PrintLine(QStringLiteral("Holiday: %1 %2").arg(QString(DayName(day)), labels.HolidayLabels[day]));
    for (int k = 1; k <= 14; ++k)
        PrintLine(QStringLiteral("%1 = %2").arg(QString::fromLatin1(kDutyKeys[k]), s.DutyName(k)));
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        PrintLine(QStringLiteral("%1 = %2")
                      .arg(QString::fromLatin1(kHourKeys[k]), FloatToShortest(WeekFileHourSetting(s, k))));
    PrintLine(QString());
    PrintLine(QStringLiteral("line\tname\tset\tMon\tTue\tWed\tThu\tFri\tSat\tSun\twrk'd\tnon-pref\tcolours"));
    for (int line = 1; line <= w.LinesUsedonTableGrid(); ++line) {
        QStringList row{QString::number(line), w.NameEdits[line].text(), w.HoursSetEdits[line].text()};
        QStringList colours;
        for (int day = 1; day <= kDays; ++day) {
            row += w.DayCells[day][line].text();
            colours += QString::number(w.DayCells[day][line].colour());
        }
        row += w.HoursWorkingEdits[line].text();
        row += QString::number(w.WeekNonPrefCount[line]);
        row += colours.join(QLatin1Char(' '));
        PrintLine(row.join(QLatin1Char('\t')));
    }
    PrintLine(QString());
    PrintLine(QStringLiteral("day\tshift\trequired\tcounted"));
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            PrintLine(QStringLiteral("%1\t%2\t%3\t%4")
                          .arg(QString(DayName(day)), QString(ShiftCode(shift)))
                          .arg(BoxNumber(w.ShiftRequiredEdits[day][shift]))
                          .arg(w.ShiftCounts[day][shift]));
}

}  // namespace

int RunWeek(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{"week", "week FILE.rwk [--data DIR] [--json] [--save OUT.rwk]", false, true, 1, 1};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    const QString file = AbsolutePath(common.texts[0]);
    const QString saveTo = common.saveTo;

    WardModel model;
    WeekView labels;
    BatchUi ui;
    model.Week.StartupPickerDate = model.Week.PickerDate = QDate::currentDate();
    ConnectTotals(model);
    if (!LoadWard(model, common.dataFolder))
        return BadInput;
    if (!AutoLoadRWKfile(model, labels, ui, file)) {
        PrintError(OneLine(ui.errors.value(0)));
        return BadInput;
    }
    // Messages of a week that did load (a required box that is not a number, an
    // unreadable clinic schedule) are passed on without failing the command.
    for (const QString& message : ui.errors)
        PrintError(OneLine(message));
    if (!saveTo.isEmpty()) {
        ui.saveTo = AbsolutePath(saveTo);
        ui.errors.clear();
        if (!SaveClick(model, ui)) {
            PrintError(OneLine(ui.errors.value(0, QStringLiteral("the week was not saved"))));
            return BadInput;
        }
    }
    if (common.json)
        PrintJson(model, labels, file);
    else
        PrintText(model, labels);
    return Ok;
}

}  // namespace tavrola::cli
