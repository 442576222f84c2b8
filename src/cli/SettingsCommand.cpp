#include "cli/CliCommon.h"

#include "util/TextUtil.h"

namespace tavrola::cli {

namespace {

QString valueText(const SettingKey& k)
{
    switch (k.kind) {
    case SettingKind::Text: return *k.text;
    case SettingKind::Whole: return IntToText(*k.whole);
    case SettingKind::Real: return FloatToShortest(*k.real);
    }
    return QString();
}

QStringList preferredDays(const RosterWeek& w, int line)
{
    QStringList days;
    for (int day = 1; day <= kDays; ++day)
        if (w.data().CellColours[day][line] == RequestColour)
            days += QString(DayName(day));
    return days;
}

class SettingsVerb final : public Command {
public:
    const char* name() const override { return "settings"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{kDataOption,
                                              kJsonOption};
        return list;
    }
    const char* help() const override
    {
        return "  settings         the ward settings and the staff lines as laid on the grid\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int SettingsVerb::execute(const CommandArgs& common, Console& io) const
{
    WardModel model;
    if (!LoadWard(model, common.dataFolder, io))
        return BadInput;
    WardSettings& s = model.Settings;
    const RosterWeek& w = model.Week;
    const QString date = s.AnalysisStartDateValid ? s.AnalysisStartDateValue.toString(Qt::ISODate) : QString();

    if (common.json) {
        JsonLine j;
        for (const SettingKey& k : SettingsKeyTable(s)) {
            switch (k.kind) {
            case SettingKind::Text: j.add(k.key, *k.text); break;
            case SettingKind::Whole: j.add(k.key, qint64(*k.whole)); break;
            case SettingKind::Real: j.addFloat(k.key, *k.real); break;
            }
        }
        j.add("AMCoreHourCount", qint64(s.AMCoreHourCount))
            .add("PMCoreHourCount", qint64(s.PMCoreHourCount))
            .add("NCoreHourCount", qint64(s.NCoreHourCount))
            .add("AMShiftTimes", s.AMShiftTimes)
            .add("PMShiftTimes", s.PMShiftTimes)
            .add("NShiftTimes", s.NShiftTimes)
            .add("AnalysisStartDateValue", date)
            .add("AnalysisStartDateValid", s.AnalysisStartDateValid);
        io.line(j.text());
        for (int line = 1; line <= kLines; ++line) {
            if (w.data().Names[line].isEmpty())
                continue;
            JsonLine staff;
            staff.add("line", qint64(line))
                .add("name", w.data().Names[line])
                .add("skills", w.StaffSkillCodes[line])
                .add("grade", w.data().Grades[line])
                .add("hours_set", w.data().HoursSet[line])
                .add("standard_shift", w.data().Hints[line])
                .addStrings("preferred_days", preferredDays(w, line));
            io.line(staff.text());
        }
        return Ok;
    }

    for (const SettingKey& k : SettingsKeyTable(s))
        io.line(QStringLiteral("%1 = %2").arg(QString::fromLatin1(k.key), valueText(k)));
    io.line(QStringLiteral("AMCoreHourCount = %1").arg(s.AMCoreHourCount));
    io.line(QStringLiteral("PMCoreHourCount = %1").arg(s.PMCoreHourCount));
    io.line(QStringLiteral("NCoreHourCount = %1").arg(s.NCoreHourCount));
    io.line(QStringLiteral("AMShiftTimes = %1").arg(s.AMShiftTimes));
    io.line(QStringLiteral("PMShiftTimes = %1").arg(s.PMShiftTimes));
    io.line(QStringLiteral("NShiftTimes = %1").arg(s.NShiftTimes));
    io.line(QStringLiteral("AnalysisStartDateValue = %1").arg(date));
    io.line(QStringLiteral("AnalysisStartDateValid = %1").arg(s.AnalysisStartDateValid ? "true" : "false"));
    io.line(QString());
    io.line(QStringLiteral("line\tname\tskills\tgrade\tset\tshift\tpreferred days"));
    for (int line = 1; line <= kLines; ++line) {
        if (w.data().Names[line].isEmpty())
            continue;
        io.line(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
                    .arg(line)
                    .arg(w.data().Names[line], w.StaffSkillCodes[line], w.data().Grades[line],
                         w.data().HoursSet[line], w.data().Hints[line],
                         preferredDays(w, line).join(QLatin1Char(' '))));
    }
    return Ok;
}

const Command& SettingsCommand()
{
    static const SettingsVerb command;
    return command;
}

}  // namespace tavrola::cli
