// The statistics over ten years of stored weeks: 520 week files, each a copy of the demo
// ward's latest week under its own date, analysed whole and for the last year only.
#include "document/StatisticsRun.h"
#include "settings/StaffFile.h"
#include "support/DemoData.h"
#include "util/Locale.h"

#include <benchmark/benchmark.h>

using namespace tavrola;

namespace {

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
    UseDefaultLocale();
    const QString& folder = bench::TenYearsOfWeeks();
    const QDate to = bench::kFirstGeneratedWeek.addDays(7 * bench::kTenYearsOfWeeks);
    for (auto _ : state) {
        StatsTables tables;
        QStringList damaged;
        if (!CollectStatistics(folder, DemoSettings(), from, to, &tables, &damaged))
            state.SkipWithError(qPrintable(damaged.join(u' ')));
        benchmark::DoNotOptimize(tables);
    }
}

}  // namespace

// Every one of the 520 weeks read and analysed.
static void BM_Statistics520Weeks(benchmark::State& state) { Analyse(state, bench::kFirstGeneratedWeek); }
BENCHMARK(BM_Statistics520Weeks)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The last year's 52 weeks analysed; the other 468 files read to their first line only.
static void BM_StatisticsLastYearOf520(benchmark::State& state)
{
    Analyse(state, bench::kFirstGeneratedWeek.addDays(7 * (bench::kTenYearsOfWeeks - 52)));
}
BENCHMARK(BM_StatisticsLastYearOf520)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
