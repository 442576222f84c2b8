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

qint64 BoxNumber(const QString& box)
{
    return box.trimmed().toLongLong();
}

void PrintJson(Console& io, const WardModel& model, const WeekView& labels, const QString& file)
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
    io.line(JsonLine()
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
            days += w.data().Cells[day][line];
            colours += (day > 1 ? QStringLiteral(",") : QString()) + QString::number(w.data().CellColours[day][line]);
        }
        io.line(JsonLine()
                    .add("line", qint64(line))
                    .add("name", w.data().Names[line])
                    .add("hours_set", w.data().HoursSet[line])
                    .addStrings("days", days)
                    .add("hours_worked", w.data().HoursWorked[line])
                    .add("non_preferred", qint64(w.data().NonPrefCount[line]))
                    .addRaw("colours", QStringLiteral("[") + colours + QStringLiteral("]"))
                    .add("notes", w.data().Notes[line])
                    .text());
    }
    for (int day = 1; day <= kDays; ++day) {
        QString required, counted;
        for (int shift = 1; shift <= kShifts; ++shift) {
            const QString sep = shift > 1 ? QStringLiteral(",") : QString();
            required += sep + QString::number(BoxNumber(w.data().Required[day][shift]));
            counted += sep + QString::number(w.status().ShiftCounts[day][shift]);
        }
        io.line(JsonLine()
                    .add("day", QString(DayName(day)))
                    .addRaw("required", QStringLiteral("[") + required + QStringLiteral("]"))
                    .addRaw("counted", QStringLiteral("[") + counted + QStringLiteral("]"))
                    .text());
    }
}

void PrintText(Console& io, const WardModel& model, const WeekView& labels)
{
    const RosterWeek& w = model.Week;
    const WardSettings& s = model.Settings;
    io.line(QStringLiteral("Week commencing %1  %2")
                .arg(QLocale().toString(w.PickerDate, QLocale::LongFormat), labels.WeekOfMonthLabel));
    io.line(QStringLiteral("%1, %2").arg(s.HOSPITAL, s.WARD));
    for (int day = 1; day <= kDays; ++day)
        if (!labels.HolidayLabels[day].isEmpty())
            io.line(QStringLiteral("Holiday: %1 %2").arg(QString(DayName(day)), labels.HolidayLabels[day]));
    for (int k = 1; k <= 14; ++k)
        io.line(QStringLiteral("%1 = %2").arg(QString::fromLatin1(kDutyKeys[k]), s.DutyName(k)));
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        io.line(QStringLiteral("%1 = %2")
                    .arg(QString::fromLatin1(kHourKeys[k]), FloatToShortest(WeekFileHourSetting(s, k))));
    io.line(QString());
    io.line(QStringLiteral("line\tname\tset\tMon\tTue\tWed\tThu\tFri\tSat\tSun\twrk'd\tnon-pref\tcolours"));
    for (int line = 1; line <= w.LinesUsedonTableGrid(); ++line) {
        QStringList row{QString::number(line), w.data().Names[line], w.data().HoursSet[line]};
        QStringList colours;
        for (int day = 1; day <= kDays; ++day) {
            row += w.data().Cells[day][line];
            colours += QString::number(w.data().CellColours[day][line]);
        }
        row += w.data().HoursWorked[line];
        row += QString::number(w.data().NonPrefCount[line]);
        row += colours.join(QLatin1Char(' '));
        io.line(row.join(QLatin1Char('\t')));
    }
    io.line(QString());
    io.line(QStringLiteral("day\tshift\trequired\tcounted"));
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            io.line(QStringLiteral("%1\t%2\t%3\t%4")
                        .arg(QString(DayName(day)), QString(ShiftCode(shift)))
                        .arg(BoxNumber(w.data().Required[day][shift]))
                        .arg(w.status().ShiftCounts[day][shift]));
}


class WeekVerb final : public Command {
public:
    const char* name() const override { return "week"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{{nullptr, "FILE.rwk", OptionKind::Texts, Shown::Required, 1, 1, 1},
                                              kDataOption,
                                              kJsonOption,
                                              {"save", "OUT.rwk", OptionKind::SaveFile},
                                              kForceOption};
        return list;
    }
    const char* help() const override
    {
        return "  week FILE.rwk    a stored week as the program shows it after loading\n"
               "                   (--save OUT.rwk saves it again; --force saves over a week that is\n"
               "                   open elsewhere)\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int WeekVerb::execute(const CommandArgs& common, Console& io) const
{
    const QString file = AbsolutePath(common.texts[0]);
    const QString saveTo = common.saveTo;

    // Messages of a week that did load (a required box that is not a number, an
    // unreadable clinic schedule) are passed on without failing the command.
    if (!saveTo.isEmpty() && !MaySaveWeekTo(AbsolutePath(saveTo), Forced(common), io))
        return BadInput;
    OpenWard ward;
    ward.ui.force = Forced(common);
    if (!OpenWardAndWeek(ward, common.dataFolder, {WeekPick::File, file, QDate(), QDate::currentDate()}, io))
        return BadInput;
    WardModel& model = ward.model;
    BatchUi& ui = ward.ui;
    if (!saveTo.isEmpty()) {
        ui.saveTo = AbsolutePath(saveTo);
        if (!SaveClick(model, ui)) {
            io.error(OneLine(ui.errors.value(0, QStringLiteral("the week was not saved"))));
            return BadInput;
        }
    }
    if (common.json)
        PrintJson(io, model, ward.labels, file);
    else
        PrintText(io, model, ward.labels);
    return Ok;
}

const Command& WeekCommand()
{
    static const WeekVerb command;
    return command;
}

}  // namespace tavrola::cli
