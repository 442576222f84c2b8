// The history scan over ten years of stored weeks: 520 week files, each a copy of the
// demo ward's latest week under its own date, scanned from the first to the last.
#include "util/TextFile.h"
#include "weeks/HistoryScan.h"
#include "weeks/WeekFileReader.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace tavrola;

namespace {

constexpr int kWeeks = 520;
const QDate kFirstWeek(2016, 1, 4);  // a Monday

// A folder of kWeeks generated week files; it lives as long as the program.
const QString& HistoryFolder()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
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

}  // namespace

static void BM_HistoryScan520Weeks(benchmark::State& state)
{
    const QString& folder = HistoryFolder();
    const QDate picked = kFirstWeek.addDays(7 * (kWeeks + 1));
    for (auto _ : state) {
        HistoryScan scan;
        QStringList damaged;
        if (!ScanStoredWeeks(folder, kFirstWeek, picked, scan, &damaged))
            state.SkipWithError(qPrintable(damaged.value(0)));
        benchmark::DoNotOptimize(scan);
    }
}
BENCHMARK(BM_HistoryScan520Weeks)->Unit(benchmark::kMillisecond);
