#include "document/StatisticsRun.h"

#include "stats/StatsAnalysis.h"
#include "util/Locale.h"
#include "util/TraceLog.h"
#include "weeks/BankHolidays.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileNumbers.h"
#include "weeks/WeekFileReader.h"

#include <QFileInfo>
#include <memory>

namespace tavrola {

bool ReadStatsWeek(const QString& path, WardSettings& s, StatsWeek* week, QString* error)
{
    auto data = std::make_unique<WeekFileData>();
    if (!ReadWeekFile(path, data.get(), error))
        return false;
    const WeekFileData& d = *data;
    for (int k = 1; k <= 14; ++k)
        s.DutyName(k) = d.dutyNames[k];
    for (int k = 0; k < kWeekFileHourSettings; ++k)
        WeekFileHourSetting(s, k) = d.hours[k];
    for (int staff = 1; staff <= kLines; ++staff) {
        const WeekFileStaffLine& l = d.lines[staff];
        StatsWeek::Block& b = week->blocks[staff];
        b.name = l.name;
        b.contracted = l.contracted;
        b.nonPref = l.nonPref;
        // The hours worked as shown are not used: the analysis counts the duties itself.
        for (int day = 1; day <= kDays; ++day) {
            b.days[day] = l.days[day];
            b.wished[day] = d.colours[day][staff] && *d.colours[day][staff] == RequestColour;
        }
        b.notes = l.notes;
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift) {
            week->required[day][shift] = WeekFileWhole(d.required[day][shift]);
            week->counted[day][shift] = d.counts[day][shift];
        }
    return true;
}

bool CollectStatistics(const QString& folder, const WardSettings& settings, const QDate& from, const QDate& to,
                       StatsTables* tables, QStringList* damaged)
{
    TraceLog(QStringLiteral("DecodeDate - ToYear:%1 ToMonth:%2 ToDay:%3").arg(to.year()).arg(to.month()).arg(to.day()));
    auto work = std::make_unique<StatsTables>();
    WardSettings s = settings;  // each week's stored duty names and hours go in here
    bool allRead = true;
    auto leaveOut = [&](const QString& message) {
        allRead = false;
        if (damaged)
            damaged->append(message);
    };
    const QStringList files = folder.isEmpty() ? QStringList() : ListWeekFiles(folder);
    for (const QString& path : files) {
        const WeekFileHead head = ReadWeekFileHead(path);
        if (!head.read || !head.date.isValid()) {
            leaveOut(head.error);
            continue;
        }
        const QDate d = head.date;
        TraceLog(QStringLiteral("File Date - IndexYear:%1 FMonth:%2 FDay:%3")
                     .arg(YearSlot(to.year(), d.year()))
                     .arg(d.month())
                     .arg(d.day()));
        if (!InStatsRange(d, from, to))
            continue;
        TraceLog(QStringLiteral("Processing File:") + QFileInfo(path).fileName() + QStringLiteral("   ") +
                 LongDateText(d));
        // A week left out leaves `s` as it was: it is set only once the week has read.
        auto week = std::make_unique<StatsWeek>();
        QString error;
        if (!ReadStatsWeek(path, s, week.get(), &error)) {
            leaveOut(error);
            continue;
        }
        week->weekCommencing = d;
        const BankHolidayWeek holidays = FindBankHolidayWeek(d);
        for (int i = 0; i < holidays.count; ++i)
            week->bankHoliday[holidays.marks[i].day] = true;
        AddStatsWeek(*work, s, *week, to.year());
    }
    *tables = std::move(*work);
    return allRead;
}

}  // namespace tavrola
