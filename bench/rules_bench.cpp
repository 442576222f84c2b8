// The working-time rules on the demo ward: the check after an edit (one week against the
// stored weeks around it, already read) and the check when a week is picked (reading the
// 18 stored weeks from this week's 16th predecessor to the next one).
#include "roster/WeekData.h"
#include "rules/RuleWeeksReader.h"
#include "rules/WorkingTimeRules.h"
#include "support/DemoData.h"
#include "weeks/WeekFileName.h"

#include <benchmark/benchmark.h>

using namespace tavrola;

namespace {

const QDate kDemoLastWeek(2026, 11, 30);

// A folder holding the demo ward's latest week under each of the 18 names the check reads
// around kDemoLastWeek; it lives as long as the program.
const QString& SeventeenWeeksAndNext(const WardSettings& ward)
{
    static QTemporaryDir dir;
    static const QString folder = [&] {
        WeekFileData week;
        QString error;
        if (!dir.isValid() || !ReadWeekFile(QStringLiteral(TAVROLA_DEMO_DIR) + bench::kDemoWeekFile, &week, &error))
            qFatal("%s", qPrintable(error));
        for (int offset = -16; offset <= 1; ++offset) {
            week.weekCommencing = kDemoLastWeek.addDays(7 * offset);
            const QString path = WeekFileName(dir.path(), ward, week.weekCommencing);
            if (!WriteTextFileAtomically(path, WeekFileText(week), &error))
                qFatal("%s", qPrintable(error));
        }
        return dir.path() + QLatin1Char('/');
    }();
    return folder;
}

}  // namespace

// After an edit: the shown week against last and next week, read when it was picked.
static void BM_CheckWeekWithNeighbours(benchmark::State& state)
{
    WardModel model;
    bench::LoadDemoWeek(model);
    const WeekData week = model.Week.data();
    const RuleHistory history = ReadRuleHistory(SeventeenWeeksAndNext(model.Settings), model.Settings, kDemoLastWeek);
    if (history.weeksRead != 18)
        qFatal("read %d weeks", history.weeksRead);
    const RuleLimits limits;
    for (auto _ : state) {
        std::vector<Breach> breaches = CheckWorkingTime(model.Settings, limits, week, kDemoLastWeek, history);
        benchmark::DoNotOptimize(breaches);
    }
}
BENCHMARK(BM_CheckWeekWithNeighbours)->Unit(benchmark::kMicrosecond);

// When a week is picked: the 18 stored weeks read and evaluated (the 17-week average
// among them), then the check.
static void BM_CheckAtPickTime(benchmark::State& state)
{
    WardModel model;
    bench::LoadDemoWeek(model);
    const WeekData week = model.Week.data();
    const QString& folder = SeventeenWeeksAndNext(model.Settings);
    const RuleLimits limits;
    for (auto _ : state) {
        const RuleHistory history = ReadRuleHistory(folder, model.Settings, kDemoLastWeek);
        std::vector<Breach> breaches = CheckWorkingTime(model.Settings, limits, week, kDemoLastWeek, history);
        benchmark::DoNotOptimize(breaches);
    }
}
BENCHMARK(BM_CheckAtPickTime)->Unit(benchmark::kMillisecond);
