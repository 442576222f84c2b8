// The statistics over ten years of stored weeks: 520 week files, each a copy of the demo
// ward's latest week under its own date, analysed whole and for the last year only.
#include "document/StatisticsRun.h"
#include "settings/StaffFile.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "weeks/WeekFileReader.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace tavrola;

namespace {

constexpr int kWeeks = 520;
const QDate kFirstWeek(2016, 1, 4);  // a Monday

// A folder of kWeeks generated week files; it lives as long as the program.
const QString& StatsFolder()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        UseDefaultLocale();
        WeekFileData week;
        QString error;
        if (!dir.isValid() ||
            !ReadWeekFile(QStringLiteral(TAVROLA_DEMO_DIR "Monday, 30 November 2026 (Cedar Ward 7).rwk"), &week,
                          &error))
            qFatal("%s", qPrintable(error));
        for (int i = 0; i < kWeeks; ++i) {
            week.weekCommencing = kFirstWeek.addDays(7 * i);
            const QString path = dir.filePath(QStringLiteral("week %1.rwk").arg(i, 4, 10, QLatin1Char('0')));
            if (!WriteTextFileAtomically(path, WeekFileText(week), &error))
                qFatal("%s", qPrintable(error));
        }
        return true;
    }();
    (void)filled;
    static const QString folder = dir.path() + QLatin1Char('/');
    return folder;
}

const WardSettings& DemoSettings()
{
    static const WardSettings s = [] {
        StaffFileReadResult r = ReadStaffFile(QStringLiteral(TAVROLA_DEMO_DIR "Staff.txt"), WardSettings());
        if (!r.ok)
            qFatal("the demo ward's Staff.txt does not read");
        return r.settings;
    }();
    return s;
}

void Analyse(benchmark::State& state, const QDate& from)
{
    const QString& folder = StatsFolder();
    const QDate to = kFirstWeek.addDays(7 * kWeeks);
    for (auto _ : state) {
        StatsTables tables;
        QString error;
        if (!CollectStatistics(folder, DemoSettings(), from, to, &tables, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(tables);
    }
}

}  // namespace

// Every one of the 520 weeks read and analysed.
static void BM_Statistics520Weeks(benchmark::State& state) { Analyse(state, kFirstWeek); }
BENCHMARK(BM_Statistics520Weeks)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The last year's 52 weeks analysed; the other 468 files read to their first line only.
static void BM_StatisticsLastYearOf520(benchmark::State& state)
{
    Analyse(state, kFirstWeek.addDays(7 * (kWeeks - 52)));
}
BENCHMARK(BM_StatisticsLastYearOf520)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
