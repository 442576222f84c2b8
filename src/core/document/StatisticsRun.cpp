#include "document/StatisticsRun.h"

#include "settings/DutyText.h"
#include "stats/StatsAnalysis.h"
#include "util/ConversionError.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "util/TraceLog.h"
#include "weeks/BankHolidays.h"
#include "weeks/WeekFileFormat.h"
#include "weeks/WeekFileNumbers.h"
#include "weeks/WeekFileReader.h"

#include <QFileInfo>
#include <memory>

namespace tavrola {

namespace {

// The lines of one file, 1-based; past the end every line is empty.
class StatsLines {
public:
    StatsLines(const QString& path, const QStringList& lines) : path_(path), lines_(lines) {}

    const QString& text(int line) const
    {
        static const QString none;
        return line >= 1 && line <= lines_.size() ? lines_[line - 1] : none;
    }
    bool blank(int line) const { return text(line).trimmed().isEmpty(); }

    // A whole number, or none for an empty line; false on a line that does not convert.
    bool whole(int line, std::optional<qint32>* value, QString* error) const
    {
        if (blank(line))
            return true;
        *value = WeekFileWhole(text(line));
        return *value || fail(line, ConversionError::notInteger(WeekFileShownValue(text(line))), error);
    }

    bool fail(int line, const ConversionError& e, QString* error) const
    {
        *error = DamagedWeekFileMessage(path_, line, e.message());
        return false;
    }

private:
    const QString& path_;
    const QStringList& lines_;
};

}  // namespace

bool ReadStatsWeek(const QString& path, WardSettings& s, StatsWeek* week, QString* error)
{
    const TextFileRead file = ReadTextFile(path);
    if (!file.ok) {
        *error = file.error;
        return false;
    }
    const StatsLines in(path, file.lines);

    for (int k = 1; k <= 14; ++k)
        s.DutyName(k) = in.text(3 + k);
    for (int k = 0; k < kWeekFileHourSettings; ++k) {
        const int line = 18 + k;
        if (in.blank(line))
            continue;
        const std::optional<float> v = WeekFileReal(in.text(line));
        if (!v)
            return in.fail(line, ConversionError::notFloat(WeekFileShownValue(in.text(line))), error);
        WeekFileHourSetting(s, k) = *v;
    }

    for (int staff = 1; staff <= kLines; ++staff) {
        const int at = WeekFileBlockStart(staff);
        StatsWeek::Block& b = week->blocks[staff];
        b.name = in.text(at);
        if (!in.blank(at + 1)) {
            try {
                b.contracted = FirstNumber(in.text(at + 1));
            } catch (const ConversionError& e) {
                return in.fail(at + 1, e, error);
            }
        }
        // at + 2: the hours worked as shown; the analysis counts the duties itself.
        if (!in.whole(at + 3, &b.nonPref, error))
            return false;
        for (int day = 1; day <= kDays; ++day) {
            b.days[day] = in.text(at + 3 + day);
            const std::optional<Colour> colour = WeekFileColour(in.text(WeekFileColourLine(day, staff)));
            b.wished[day] = colour && *colour == RequestColour;
        }
        b.notes = in.text(at + 11);
    }
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            if (!in.whole(WeekFileRequiredLine(day, shift), &week->required[day][shift], error) ||
                !in.whole(WeekFileCountLine(day, shift), &week->counted[day][shift], error))
                return false;
    return true;
}

bool CollectStatistics(const QString& folder, const WardSettings& settings, const QDate& from, const QDate& to,
                       StatsTables* tables, QString* error)
{
    TraceLog(QStringLiteral("DecodeDate - ToYear:%1 ToMonth:%2 ToDay:%3").arg(to.year()).arg(to.month()).arg(to.day()));
    auto work = std::make_unique<StatsTables>();
    WardSettings s = settings;  // each week's stored duty names and hours go in here
    const QStringList files = folder.isEmpty() ? QStringList() : ListWeekFiles(folder);
    for (const QString& path : files) {
        const WeekFileHead head = ReadWeekFileHead(path);
        if (!head.read || !head.date.isValid()) {
            *error = head.error;
            return false;
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
        auto week = std::make_unique<StatsWeek>();
        if (!ReadStatsWeek(path, s, week.get(), error))
            return false;
        week->weekCommencing = d;
        const BankHolidayWeek holidays = FindBankHolidayWeek(d);
        for (int i = 0; i < holidays.count; ++i)
            week->bankHoliday[holidays.marks[i].day] = true;
        AddStatsWeek(*work, s, *week, to.year());
    }
    *tables = std::move(*work);
    return true;
}

}  // namespace tavrola
