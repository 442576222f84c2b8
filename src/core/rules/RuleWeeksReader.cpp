#include "rules/RuleWeeksReader.h"

#include "util/FileAccess.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekFileReader.h"

namespace tavrola {

namespace {

constexpr int kWeeksBefore = 16;

// A stored week with the ward's settings under its own duty names and hours.
RuleWeek RuleWeekFromFile(const WeekFileData& file, const WardSettings& ward, const QDate& monday)
{
    RuleWeek week;
    week.monday = monday;
    week.settings = ward;
    for (int k = 1; k <= 14; ++k)
        week.settings.DutyName(k) = file.dutyNames[k];
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        WeekFileHourSetting(week.settings, k) = file.hours[k];
    for (int line = 1; line <= kLines; ++line) {
        week.week.Names[line] = file.lines[line].name;
        for (int day = 1; day <= kDays; ++day)
            week.week.Cells[day][line] = file.lines[line].days[day];
    }
    return week;
}

}  // namespace

RuleHistory ReadRuleHistory(const QString& dataFolder, const WardSettings& ward, const QDate& monday)
{
    std::vector<RuleWeek> stored;
    int read = 0;
    QStringList damaged;
    for (int offset = -kWeeksBefore; offset <= 1; ++offset) {
        const QDate date = monday.addDays(7 * offset);
        const QString path = WeekFileName(dataFolder, ward, date);
        if (!PathEntryExists(path))
            continue;
        WeekFileData file;
        QString error;
        if (!ReadWeekFile(path, &file, &error)) {
            damaged += error;
            continue;
        }
        ++read;
        if (offset != 0)
            stored.push_back(RuleWeekFromFile(file, ward, date));
    }
    RuleHistory history = PrepareRuleHistory(monday, stored);
    history.weeksRead = read;
    history.damaged = damaged;
    return history;
}

}  // namespace tavrola
