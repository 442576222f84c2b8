#include "rules/RuleWeeksReader.h"

#include "util/ConversionError.h"
#include "util/FileAccess.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileName.h"
#include "weeks/WeekFileNumbers.h"
#include "weeks/WeekFileReader.h"

namespace tavrola {

namespace {

constexpr int kWeeksBefore = 16;
// The rules use a week file up to the end of its 25th staff block.
constexpr int kLastLineUsed = WeekFileBlockStart(kLines) + kWeekFileBlockLines - 1;
constexpr int kDutyNamesLine = 4, kHoursLine = 18;  // 1-based

// A stored week with the ward's settings under its own duty names and hours. Only the
// hour lines are converted, so only they can make the file damaged here.
bool ReadRuleWeek(const QString& path, const WardSettings& ward, RuleWeek* week, QString* error)
{
    QStringList lines;
    if (!ReadWeekFileLines(path, kLastLineUsed, &lines, error))
        return false;
    week->settings = ward;
    for (int k = 1; k <= 14; ++k)
        week->settings.DutyName(k) = lines[kDutyNamesLine + k - 2];
    for (int k = 0; k < kWeekFileHourSettings; ++k) {
        const QString& text = lines[kHoursLine + k - 1];
        const std::optional<float> hours = WeekFileReal(text);
        if (!hours) {
            *error = DamagedWeekFileMessage(path, kHoursLine + k,
                                            ConversionError::notFloat(WeekFileShownValue(text)).message());
            return false;
        }
        WeekFileHourSetting(week->settings, k) = *hours;
    }
    for (int line = 1; line <= kLines; ++line) {
        const int name = WeekFileBlockStart(line) - 1;  // 0-based: name, contracted, worked, count, days
        week->names[line] = lines[name];
        for (int day = 1; day <= kDays; ++day)
            week->cells[day][line] = lines[name + 3 + day];
    }
    return true;
}

}  // namespace

RuleHistory ReadRuleHistory(const QString& dataFolder, const WardSettings& ward, const QDate& monday)
{
    std::vector<RuleWeek> stored;
    stored.reserve(kWeeksBefore + 1);
    int read = 0;
    QStringList damaged;
    for (int offset = -kWeeksBefore; offset <= 1; ++offset) {
        const QDate date = monday.addDays(7 * offset);
        const QString path = WeekFileName(dataFolder, ward, date);
        if (!PathEntryExists(path))
            continue;
        RuleWeek week;
        QString error;
        if (!ReadRuleWeek(path, ward, &week, &error)) {
            damaged += error;
            continue;
        }
        ++read;
        if (offset != 0) {
            week.monday = date;
            stored.push_back(std::move(week));
        }
    }
    RuleHistory history = PrepareRuleHistory(monday, stored);
    history.weeksRead = read;
    history.damaged = damaged;
    return history;
}

}  // namespace tavrola
