// The history scan over ten years of stored weeks: 520 week files, each a copy of the
// demo ward's latest week under its own date, scanned from the first to the last.
#include "support/DemoData.h"
#include "weeks/HistoryScan.h"

#include <benchmark/benchmark.h>

using namespace tavrola;

static void BM_HistoryScan520Weeks(benchmark::State& state)
{
    const QString& folder = bench::TenYearsOfWeeks();
    const QDate picked = bench::kFirstGeneratedWeek.addDays(7 * (bench::kTenYearsOfWeeks + 1));
    for (auto _ : state) {
        HistoryScan scan;
        QStringList damaged;
        if (!ScanStoredWeeks(folder, bench::kFirstGeneratedWeek, picked, scan, &damaged))
            state.SkipWithError(qPrintable(damaged.value(0)));
        benchmark::DoNotOptimize(scan);
    }
}
BENCHMARK(BM_HistoryScan520Weeks)->Unit(benchmark::kMillisecond);
