// The totals and the edit path on the demo ward's latest stored week: the pure totals,
// a keystroke (an undo step and the recalculation it runs), and a copy of the week.
#include "document/Totals.h"
#include "document/RosterDocument.h"
#include "roster/WeekData.h"
#include "roster/WeekTotals.h"
#include "support/DemoData.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdlib>

using namespace tavrola;

namespace {

// The demo ward with its latest stored week on the grid and its totals.
void LoadDemoWeek(WardModel& model)
{
    bench::LoadDemoWeek(model);
    TavrolaChange(model);
}

}  // namespace

static void BM_WeekTotals(benchmark::State& state)
{
    WardModel model;
    LoadDemoWeek(model);
    const WeekData week = model.Week.data();
    for (auto _ : state) {
        WeekTotals totals = ComputeWeekTotals(model.Settings, week);
        benchmark::DoNotOptimize(totals);
    }
}
BENCHMARK(BM_WeekTotals)->Unit(benchmark::kMicrosecond);

// A keystroke in a day cell: the document's undo step (merged with the cell's earlier
// keystrokes), the field change and the whole recalculation onto the grid.
static void BM_Keystroke(benchmark::State& state)
{
    WardModel model;
    LoadDemoWeek(model);
    const BoxRef cell = BoxRef::cell(3, 12);
    const QString a = QStringLiteral("7-3"), b = QStringLiteral("7-3.");
    bool flip = false;
    for (auto _ : state) {
        model.typeText(cell, (flip = !flip) ? a : b);
        benchmark::DoNotOptimize(model.Week.status().WeekHours);
    }
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

// The same keystroke with recovery files on, as the window runs: the keystroke only
// starts the keeper's timer; the snapshot and the write come later, the write on its own
// thread. Events are processed after each keystroke, so the writes happen as they would.
static void BM_KeystrokeWithRecovery(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "totals_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    QTemporaryDir recovery;
    WardModel model;
    LoadDemoWeek(model);
    model.Recovery.enable(recovery.path());
    const BoxRef cell = BoxRef::cell(3, 12);
    const QString a = QStringLiteral("7-3"), b = QStringLiteral("7-3.");
    bool flip = false;
    for (auto _ : state) {
        model.typeText(cell, (flip = !flip) ? a : b);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(model.Week.status().WeekHours);
    }
}
BENCHMARK(BM_KeystrokeWithRecovery)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

static void BM_CopyWeekData(benchmark::State& state)
{
    WardModel model;
    LoadDemoWeek(model);
    const WeekData week = model.Week.data();
    for (auto _ : state) {
        WeekData copy = week;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_CopyWeekData)->Unit(benchmark::kMicrosecond);
