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
        if (w.DayCells[day][line].colour() == RequestColour)
            days += QString(DayName(day));
    return days;
}
}  // namespace

int RunSettings(const QStringList& args, const QString& programFolder)
{
    static const CommandSyntax syntax{"settings", "settings [--data DIR] [--json]", false, false, 0, 0};
    CommandArgs common;
    if (const int rc = ParseCommand(args, programFolder, syntax, &common); rc >= 0)
        return rc;
    WardModel model;
    if (!LoadWard(model, common.dataFolder))
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
        PrintLine(j.text());
        for (int line = 1; line <= kLines; ++line) {
            if (w.NameEdits[line].text().isEmpty())
                continue;
            JsonLine staff;
            staff.add("line", qint64(line))
                .add("name", w.NameEdits[line].text())
                .add("skills", w.StaffSkillCodes[line])
                .add("grade", w.GradeEdits[line].text())
                .add("hours_set", w.HoursSetEdits[line].text())
                .add("standard_shift", w.DayCells[1][line].hint())
                .addStrings("preferred_days", preferredDays(w, line));
            PrintLine(staff.text());
        }
        return Ok;
    }

    for (const SettingKey& k : SettingsKeyTable(s))
        PrintLine(QStringLiteral("%1 = %2").arg(QString::fromLatin1(k.key), valueText(k)));
    PrintLine(QStringLiteral("AMCoreHourCount = %1").arg(s.AMCoreHourCount));
    PrintLine(QStringLiteral("PMCoreHourCount = %1").arg(s.PMCoreHourCount));
    PrintLine(QStringLiteral("NCoreHourCount = %1").arg(s.NCoreHourCount));
    PrintLine(QStringLiteral("AMShiftTimes = %1").arg(s.AMShiftTimes));
    PrintLine(QStringLiteral("PMShiftTimes = %1").arg(s.PMShiftTimes));
    PrintLine(QStringLiteral("NShiftTimes = %1").arg(s.NShiftTimes));
    PrintLine(QStringLiteral("AnalysisStartDateValue = %1").arg(date));
    PrintLine(QStringLiteral("AnalysisStartDateValid = %1").arg(s.AnalysisStartDateValid ? "true" : "false"));
    PrintLine(QString());
    PrintLine(QStringLiteral("line\tname\tskills\tgrade\tset\tshift\tpreferred days"));
    for (int line = 1; line <= kLines; ++line) {
        if (w.NameEdits[line].text().isEmpty())
            continue;
        PrintLine(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
                      .arg(line)
                      .arg(w.NameEdits[line].text(), w.StaffSkillCodes[line], w.GradeEdits[line].text(),
                           w.HoursSetEdits[line].text(), w.DayCells[1][line].hint(),
                           preferredDays(w, line).join(QLatin1Char(' '))));
    }
    return Ok;
}

}  // namespace tavrola::cli
